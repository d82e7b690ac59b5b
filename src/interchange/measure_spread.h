#pragma once

#include <string>
#include <vector>

namespace kaz {

//! A chord at its place in a measure, counted in equal steps from the measure's start.
struct PlacedChord {
    int position = 0;
    std::string symbol;
};

//! The chords of a measure of length steps as the chart writes them: side by side when they share the
//! measure evenly, otherwise on the coarsest grid that holds their places, each empty place an "=".
[[nodiscard]] std::vector<std::string> SpreadChords(const std::vector<PlacedChord>& chords, int length);

}  // namespace kaz
