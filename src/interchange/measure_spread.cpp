#include "interchange/measure_spread.h"

#include <algorithm>
#include <numeric>

namespace kaz {

namespace {

//! The chords on a grid of at most kMaxMeasurePlaces places; the grid's length.
std::int64_t OnCoarseGrid(std::vector<PlacedChord>& chords, std::int64_t length) {
    std::int64_t step = length;
    for (const PlacedChord& chord : chords) {
        step = std::gcd(step, chord.position);
    }
    if (length / step <= kMaxMeasurePlaces) {
        for (PlacedChord& chord : chords) {
            chord.position /= step;
        }
        return length / step;
    }
    std::int64_t last = -1;
    for (PlacedChord& chord : chords) {
        // Both factors stay below 2^40 and 2^6, so the product cannot overflow.
        const std::int64_t nearest = (chord.position * kMaxMeasurePlaces + length / 2) / length;
        chord.position = std::min(std::max(nearest, last + 1), kMaxMeasurePlaces - 1);
        last = chord.position;
    }
    return kMaxMeasurePlaces;
}

}  // namespace

std::vector<std::string> SpreadChords(const std::vector<PlacedChord>& chords, std::int64_t length) {
    if (chords.empty()) {
        return {};
    }
    length = std::clamp<std::int64_t>(length, 1, std::int64_t{1} << 40);
    std::vector<PlacedChord> placed = chords;
    for (PlacedChord& chord : placed) {
        chord.position = std::clamp<std::int64_t>(chord.position, 0, length - 1);
    }
    length = OnCoarseGrid(placed, length);
    std::vector<std::string> held(static_cast<std::size_t>(length), "=");
    for (const PlacedChord& chord : placed) {
        held[static_cast<std::size_t>(chord.position)] = chord.symbol;
    }
    // Chords that share the measure evenly stand side by side.
    if (std::none_of(held.begin(), held.end(), [](const std::string& symbol) { return symbol == "="; })) {
        std::vector<std::string> symbols;
        for (const PlacedChord& chord : placed) {
            symbols.push_back(chord.symbol);
        }
        return symbols;
    }
    return held;
}

bool HoldsComeBackInPlace(const std::vector<std::string>& chords) {
    if (std::find(chords.begin(), chords.end(), "=") == chords.end()) {
        return true;
    }
    std::vector<PlacedChord> placed;
    for (std::size_t k = 0; k < chords.size(); ++k) {
        if (chords[k] != "=") {
            placed.push_back({static_cast<std::int64_t>(k), chords[k]});
        }
    }
    if (!placed.empty() && placed.front().position > 0) {
        placed.insert(placed.begin(), {0, "="});
    }
    return !placed.empty() && SpreadChords(placed, static_cast<std::int64_t>(chords.size())) == chords;
}

}  // namespace kaz
