#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kaz {

//! A chord at its place in a measure, counted in equal steps of any size from the measure's start.
struct PlacedChord {
    std::int64_t position = 0;
    std::string symbol;
};

//! The most places a measure is divided into: sixteenths in 12/8, triplet eighths in 4/4.
inline constexpr std::int64_t kMaxMeasurePlaces = 48;

//! The chords of a measure of length steps, in the order of their places, as the chart writes them: side by
//! side when they share the measure evenly, otherwise on the coarsest grid that holds their places, each
//! empty place an "=". Places finer than kMaxMeasurePlaces go to the nearest place of that grid; a chord
//! that would share its place with the one before takes the next place, or the last place from it.
[[nodiscard]] std::vector<std::string> SpreadChords(const std::vector<PlacedChord>& chords,
                                                    std::int64_t length);

//! Whether the holds ("=") among a measure's chords come back where a format places chords in time and has no
//! hold sign, as SpreadChords reads them: only where one is needed to place a chord. True without a hold.
[[nodiscard]] bool HoldsComeBackInPlace(const std::vector<std::string>& chords);

}  // namespace kaz
