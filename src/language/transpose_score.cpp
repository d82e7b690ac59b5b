#include "language/transpose_score.h"

#include <utility>

namespace kaz {

bool TransposeCompiledScore(const ScoreTree& score, NotationMode setting, Editor& view,
                            const TransposeChooser& choose) {
    std::optional<TransposeResult> result = choose(score.bLettersSeen);
    if (!result) {
        return false;
    }
    KeepNotationReadable(result->names, score.allChords, result->shift, score.bLettersSeen, setting);
    ApplyTransposition(view, score.allChords, result->shift, result->names);
    return true;
}

Transposition TransposeScore(CompileState& state, std::string text, Editor& view, ErrorPresenter& presenter,
                             const TransposeChooser& choose) {
    Transposition transposition;
    if (!CompileScore(state, text, view, presenter)) {
        return transposition;
    }
    if (!TransposeCompiledScore(state.score, state.settings.notation, view, choose)) {
        transposition.outcome = TransposeOutcome::Cancelled;
        return transposition;
    }
    transposition.outcome = TransposeOutcome::Transposed;
    transposition.textBefore = std::move(text);
    return transposition;
}

}  // namespace kaz
