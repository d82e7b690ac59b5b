#pragma once

#include <cstdint>
#include <vector>

#include "harmony/score_tree.h"

namespace kaz {

//! The number a line of the chart starts with, as a lead sheet prints it at the start of each line: its first
//! measure as written and, for a song whose form plays measures again, the numbers it is played as.
struct LineMeasureNumber {
    std::int32_t textStart = 0;  //!< the line's first chord symbol or '%' in the compiled text
    int written = 0;             //!< one-based
    std::vector<int> played;     //!< one-based, in playing order; empty for a measure never played
};

//! The measure numbers of the lines of a compiled score, in text order; a line with no symbol has none.
[[nodiscard]] std::vector<LineMeasureNumber> MeasureNumbersOfLines(const ScoreTree& score);

}  // namespace kaz
