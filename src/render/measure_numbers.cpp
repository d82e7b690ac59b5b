#include "render/measure_numbers.h"

#include <optional>

namespace kaz {

namespace {

//! Where a measure's first symbol stands in the text; nullopt for a measure without one.
std::optional<std::int32_t> FirstSymbolOf(const Measure& measure) {
    if (measure.repeatEnd != 0) {
        return measure.repeatStart;
    }
    if (!measure.chords.empty()) {
        return measure.chords.front()->textStart;
    }
    return std::nullopt;
}

}  // namespace

std::vector<LineMeasureNumber> MeasureNumbersOfLines(const ScoreTree& score) {
    // The played numbers of every written measure, in one pass over the performance.
    std::vector<std::vector<int>> playedAs(score.measureSlots.size());
    for (std::size_t played = 0; played < score.playOrder.size(); ++played) {
        playedAs[score.playOrder[played].slot].push_back(static_cast<int>(played) + 1);
    }
    std::vector<LineMeasureNumber> numbers;
    std::size_t firstSlot = 0;
    for (const ScoreLine& line : score.scoreLines) {
        for (const Measure* measure : line.measures) {
            if (const std::optional<std::int32_t> start = FirstSymbolOf(*measure)) {
                numbers.push_back({*start, static_cast<int>(firstSlot) + 1, std::move(playedAs[firstSlot])});
                break;
            }
        }
        firstSlot += line.measures.size();
    }
    return numbers;
}

}  // namespace kaz
