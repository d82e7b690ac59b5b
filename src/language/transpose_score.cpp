#include "language/transpose_score.h"

#include <utility>

namespace kaz {

TransposeOffer OfferOf(const ScoreTree& score) {
    return {score.bLettersSeen, KeyOfScore(score), !score.keyMarks.empty()};
}

bool TransposeCompiledScore(const ScoreTree& score, NotationMode setting, Editor& view,
                            const TransposeChooser& choose) {
    std::optional<TransposeResult> result = choose(OfferOf(score));
    if (!result) {
        return false;
    }
    if (result->byKey || !score.keyMarks.empty()) {
        ApplyKeyTransposition(view, score, result->shift, score.NotationSetting(setting));
        return true;
    }
    KeepNotationReadable(result->names, score.allChords, result->shift, score.bLettersSeen,
                         score.NotationSetting(setting));
    if (score.firstGermanChord != nullptr) {
        WriteGermanNames(result->names);
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
    if (!TransposeCompiledScore(state.score, state.settings.notation, view, choose)) {
        transposition.outcome = TransposeOutcome::Cancelled;
        return transposition;
    }
    transposition.outcome = TransposeOutcome::Transposed;
    transposition.textBefore = std::move(text);
    return transposition;
}

}  // namespace kaz
