#include "style/style.h"

#include <algorithm>
#include <utility>

namespace kaz {

double SwingFeel::ShareAt(std::int32_t tempo) const {
    if (tempo <= slowTempo || fastTempo <= slowTempo) {
        return slowShare;
    }
    if (tempo >= fastTempo) {
        return fastShare;
    }
    const double along = static_cast<double>(tempo - slowTempo) / (fastTempo - slowTempo);
    return slowShare + (fastShare - slowShare) * along;
}

const MeterPattern* Style::OwnPattern(std::int32_t num, std::int32_t den) const {
    const auto found = std::find_if(meters.begin(), meters.end(), [num, den](const MeterPattern& pattern) {
        return pattern.num == num && pattern.den == den;
    });
    return found == meters.end() ? nullptr : &*found;
}

const StyleVoice* Style::Voice(std::string_view id) const {
    const auto found = std::find_if(voices.begin(), voices.end(),
                                    [id](const StyleVoice& voice) { return voice.part == id; });
    return found == voices.end() ? nullptr : &*found;
}

StyleVoice* Style::Voice(std::string_view id) {
    return const_cast<StyleVoice*>(std::as_const(*this).Voice(id));
}

namespace {

//! The hits of one measure of row, in a measure of beats beats cycling the row's own beats.
PatternRow CycleRowBeats(const PatternRow& row, std::int32_t rowBeats, std::int32_t beats) {
    PatternRow cycled = row;
    const std::int32_t cellsPerBeat = row.cellsPerMeasure / rowBeats;
    cycled.cellsPerMeasure = static_cast<std::uint16_t>(cellsPerBeat * beats);
    cycled.hits.clear();
    for (std::uint16_t measure = 0; measure < row.measures; ++measure) {
        for (std::int32_t beat = 0; beat < beats; ++beat) {
            const std::int32_t from = (beat % rowBeats) * cellsPerBeat;
            for (const PatternHit& hit : row.hits) {
                if (hit.measure == measure && hit.cell >= from && hit.cell < from + cellsPerBeat) {
                    PatternHit moved = hit;
                    moved.cell = static_cast<std::uint16_t>(hit.cell - from + beat * cellsPerBeat);
                    // A hit held past its beat stops at the measure's end.
                    moved.length = static_cast<std::uint16_t>(
                        std::min<std::int32_t>(hit.length, cycled.cellsPerMeasure - moved.cell));
                    cycled.hits.push_back(moved);
                }
            }
        }
    }
    return cycled;
}

}  // namespace

MeterPattern CycleBeats(const MeterPattern& pattern, std::int32_t num, std::int32_t den) {
    MeterPattern cycled{num, den, {}};
    const std::int32_t beats = std::clamp(num, 1, 256);
    for (const PatternRow& row : pattern.rows) {
        cycled.rows.push_back(CycleRowBeats(row, pattern.num, beats));
    }
    return cycled;
}

}  // namespace kaz
