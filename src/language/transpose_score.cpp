#include "language/transpose_score.h"

#include <utility>

namespace kaz {

TransposeOffer OfferOf(const ScoreTree& score) {
    return {score.bLettersSeen, KeyOfScore(score), !score.keyMarks.empty()};
}

Transposition TransposeChart(const CompiledChart& chart, const TransposeChooser& choose) {
    Transposition transposition;
    if (!chart.Accepted()) {
        return transposition;
    }
    const ScoreTree& score = chart.score;
    std::optional<TransposeResult> result = choose(OfferOf(score));
    if (!result) {
        transposition.outcome = TransposeOutcome::Cancelled;
        return transposition;
    }
    const NotationMode setting = chart.settings.notation;
    SplicedText text(chart.text);
    if (result->byKey || !score.keyMarks.empty()) {
        ApplyKeyTransposition(text, score, result->shift, setting);
    } else {
        KeepNotationReadable(result->names, score.allChords, result->shift, score.bLettersSeen, setting);
        if (score.firstGermanChord != nullptr) {
            WriteGermanNames(result->names);
        }
        ApplyTransposition(text, score.allChords, result->shift, result->names);
    }
    transposition.outcome = TransposeOutcome::Transposed;
    transposition.text = text.Text();
    return transposition;
}

}  // namespace kaz
