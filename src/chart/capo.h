#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chart/comment_line.h"
#include "chart/instrument.h"

namespace kaz {

//! The comment line that keeps a chart's capo: "#kaz:capo=" and the fret.
inline constexpr std::string_view kCapoLinePrefix = "#kaz:capo=";
//! The highest fret a capo is put on: one more would be the open strings an octave up.
inline constexpr int kHighestCapo = 11;

//! The fret the chart's capo line names, 1..kHighestCapo; 0 without a capo, or with a line the program
//! cannot read.
[[nodiscard]] int CapoOfChart(std::string_view text);

//! The fret of a capo as a file writes it ("2", " 3 "): digits only, 1..kHighestCapo; nothing otherwise.
[[nodiscard]] std::optional<int> ReadCapoFret(std::string_view text);

//! The change that keeps capo in text: the comment line written, rewritten, or taken away for 0.
[[nodiscard]] std::optional<TextChange> CapoLineChange(std::string_view text, int capo);

//! How the sheet's heading names the capo: "Capo 2"; empty for none.
[[nodiscard]] std::string CapoTitle(int capo);
//! How the sheet's heading names whom it is written for: "Concert", "Capo 2", "B♭ instrument, capo 2".
[[nodiscard]] std::string PartTitle(const Instrument& instrument, int capo);

}  // namespace kaz
