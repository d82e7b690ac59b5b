#include "language/transpose_score.h"

#include <utility>

namespace kaz {

bool TransposeCompiledScore(const ScoreTree& score, Editor& view, const TransposeChooser& choose) {
    const std::optional<TransposeResult> result = choose(score.bLettersSeen);
    if (!result) {
        return false;
    }
    ApplyTransposition(view, score.allChords, result->shift, result->names);
    return true;
}

Transposition TransposeScore(CompileState& state, std::string text, Editor& view, ErrorPresenter& presenter,
                             const TransposeChooser& choose) {
    Transposition transposition;
    if (!CompileScore(state, text, view, presenter)) {
        return transposition;
    }
    if (!TransposeCompiledScore(state.score, view, choose)) {
        transposition.outcome = TransposeOutcome::Cancelled;
        return transposition;
    }
    transposition.outcome = TransposeOutcome::Transposed;
    transposition.textBefore = std::move(text);
    return transposition;
}

}  // namespace kaz
