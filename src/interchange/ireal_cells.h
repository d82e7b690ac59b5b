#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interchange/lead_sheet.h"

namespace kaz {

//! The measures of a song's music string (unscrambled), with a remark for every cell that could be read only
//! in part: a measure with more chords than beats, an empty measure, a comment that is not a jump.
struct CellReading {
    std::vector<SheetMeasure> measures;
    std::vector<std::string> notes;
};

//! Read the cell language: bar lines, repeats, endings, segno and coda, jump texts, sections, meters, the
//! measure repeats, N.C., slashes, the invisible root, and chords with their qualities in everyday spelling.
[[nodiscard]] CellReading ReadCells(std::string_view music);
//! What the link of measures plays otherwise than the chart, one remark each: a chord whose quality the
//! format has not, with the chord it writes instead; a hold sign the cells cannot show.
[[nodiscard]] std::vector<Message> LinkDifferences(const std::vector<SheetMeasure>& measures);
//! The music string (unscrambled) of measures.
[[nodiscard]] std::string WriteCells(const std::vector<SheetMeasure>& measures);

}  // namespace kaz
