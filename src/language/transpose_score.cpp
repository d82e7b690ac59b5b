#include "language/transpose_score.h"

#include <utility>

namespace kaz {

Transposition TransposeChart(const CompiledChart& chart, const TransposeChooser& choose) {
    Transposition transposition;
    if (!chart.Accepted()) {
        return transposition;
    }
    const ScoreTree& score = chart.score;
    std::optional<TransposeResult> result = choose(score.bLettersSeen);
    if (!result) {
        transposition.outcome = TransposeOutcome::Cancelled;
        return transposition;
    }
    KeepNotationReadable(result->names, score.allChords, result->shift, score.bLettersSeen,
                         chart.settings.notation);
    SplicedText text(chart.text);
    ApplyTransposition(text, score.allChords, result->shift, result->names);
    transposition.outcome = TransposeOutcome::Transposed;
    transposition.text = text.Text();
    return transposition;
}

}  // namespace kaz
