#pragma once

#include <optional>
#include <string_view>

#include "chart/comment_line.h"
#include "harmony/notation.h"

namespace kaz {

//! The comment line that keeps the notation a chart is written in, like its instrument line:
//! "#kaz:notation=german". It wins over the user's setting for that chart.
inline constexpr std::string_view kNotationLinePrefix = "#kaz:notation=";

//! The notation the chart's notation line names; nothing without one, or with a word the program does not
//! know.
[[nodiscard]] std::optional<NotationMode> NotationOfChart(std::string_view text);

//! The change that keeps notation in the chart's notation line, or takes the line away for none. Nothing
//! when text already says so.
[[nodiscard]] std::optional<TextChange> NotationLineChange(std::string_view text,
                                                           std::optional<NotationMode> notation);

}  // namespace kaz
