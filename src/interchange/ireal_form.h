#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "interchange/lead_sheet.h"

namespace kaz {

//! A coda sign of the cells, in the measure it is written in, before that measure's first chord or after it.
struct CodaSign {
    std::size_t measure = 0;
    bool beforeChords = false;
};

//! What the cells say about a song's form beyond the marks of its measures.
struct CellForm {
    std::vector<bool> closesPassage;  //!< one a measure: a double, final or repeat bar line ends it
    std::vector<CodaSign> codaSigns;  //!< in the order written
};

//! Read the form of measures read from cells as players read real charts: the first coda sign is where the
//! player leaves for the coda and the last one the coda, a jump written inside a line is taken at the bar
//! line that ends it, a coda sign without a jump back leaves on a repeat's last pass, an ending that is not
//! closed by a repeat sign gets one, and what still cannot be played (a jump to a coda or segno the song does
//! not have, a repeat never closed) is played the nearest way, with a remark in notes. Measure repeat signs
//! that carry a mark are written out as the chords they repeat, as the chart language takes marks only
//! beside chords.
void SettleForm(std::vector<SheetMeasure>& measures, const CellForm& form, std::vector<std::string>& notes);

}  // namespace kaz
