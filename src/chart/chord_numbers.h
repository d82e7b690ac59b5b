#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "chart/chord_display.h"
#include "harmony/musical_key.h"
#include "harmony/score_tree.h"

namespace kaz {

//! How the chart names its chords: by their letters, as Roman numerals of the key ("ii⁷ V⁷ IΔ7"), or as
//! Nashville numbers ("2m7 5⁷ 1Δ7").
enum class ChordNumbers : std::uint8_t { Letters, Roman, Nashville };

//! "letters", "roman", "nashville", as the command line and the settings give them.
[[nodiscard]] std::string_view ChordNumbersCode(ChordNumbers numbers);
[[nodiscard]] std::optional<ChordNumbers> ChordNumbersFromCode(std::string_view code);

//! chord named by the degree of key its root stands on, with its quality and extensions as the letters
//! show them and the bass as a degree too ("1/3"). Degrees off the major scale of the tonic take a flat or
//! a sharp (♭VII, ♭3, ♯iv°), in a minor key as in a major one, so the numbers of a song do not change with
//! its mode. A Roman numeral is lowercase for a chord with a minor third and no major one.
[[nodiscard]] ChordDisplay NumberedChord(const Chord& chord, MusicalKey key, ChordNumbers numbers);

}  // namespace kaz
