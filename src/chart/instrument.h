#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "chart/comment_line.h"
#include "harmony/musical_key.h"
#include "harmony/notation.h"
#include "harmony/score_tree.h"

namespace kaz {

//! Whom the chart is written out for: the concert chart as it is, a transposing instrument, or the chart
//! moved into a key of the player's choice. Only what the chart shows changes; it always plays in concert.
struct Instrument {
    enum class Kind : std::uint8_t { Concert, BFlat, EFlat, F, Key };
    Kind kind = Kind::Concert;
    int keyTonic = 0;  //!< for Kind::Key, the pitch class 0..11 of the key the chart is shown in

    friend bool operator==(const Instrument&, const Instrument&) = default;
};

//! Semitones (0..11) the part is written above concert pitch for a chart in concertKey: a major second for
//! a B♭ instrument, a major sixth for E♭, a perfect fifth for F, what reaches the chosen key for Key.
[[nodiscard]] int WrittenShift(const Instrument& instrument, MusicalKey concertKey);

//! The program's short name for an instrument, as the chart's comment line and the command line give it:
//! "concert", "Bb", "Eb", "F", or "key Db".
[[nodiscard]] std::string InstrumentCode(const Instrument& instrument);
//! The instrument named by code (case-insensitive for "concert" and "key"); nothing for an unknown code.
[[nodiscard]] std::optional<Instrument> InstrumentFromCode(std::string_view code);
//! How a player reads the instrument: "Concert", "B♭ instrument", "Key of E♭".
[[nodiscard]] std::string InstrumentTitle(const Instrument& instrument);
//! The note a Key instrument reads in, as the program names it: "Eb", "F#"; for the other kinds "C".
[[nodiscard]] std::string_view InstrumentKeyName(const Instrument& instrument);

//! The comment line that keeps a chart's instrument: "#kaz:instrument=" and the instrument's code.
inline constexpr std::string_view kInstrumentLinePrefix = "#kaz:instrument=";

//! The instrument the chart's comment line names; Concert without one, or with one the program cannot read.
[[nodiscard]] Instrument InstrumentOfChart(std::string_view text);

//! The change that keeps instrument in text: the comment line rewritten in place, added as the last line,
//! or taken away again for Concert. Nothing else of the chart changes, and adding a line and taking it away
//! again gives back the text as it was. Nothing when text already says so.
[[nodiscard]] std::optional<TextChange> InstrumentLineChange(std::string_view text,
                                                             const Instrument& instrument);

}  // namespace kaz
