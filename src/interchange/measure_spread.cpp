#include "interchange/measure_spread.h"

#include <numeric>

namespace kaz {

std::vector<std::string> SpreadChords(const std::vector<PlacedChord>& chords, int length) {
    std::vector<std::string> symbols;
    int step = length;
    for (const PlacedChord& chord : chords) {
        step = std::gcd(step, chord.position);
        symbols.push_back(chord.symbol);
    }
    if (symbols.empty() || step <= 0 || length / step == static_cast<int>(symbols.size()) ||
        chords.front().position != 0 || chords.back().position >= length) {
        return symbols;
    }
    std::vector<std::string> held(static_cast<std::size_t>(length / step), "=");
    for (const PlacedChord& chord : chords) {
        held[static_cast<std::size_t>(chord.position / step)] = chord.symbol;
    }
    return held;
}

}  // namespace kaz
