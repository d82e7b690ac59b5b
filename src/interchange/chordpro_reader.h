#pragma once

#include <string_view>

#include "interchange/lead_sheet.h"

namespace kaz {

//! The songs of a ChordPro file: the chords in order, one measure per chord, or the measures of a chord grid
//! where the file gives one; title, artist, key, tempo and meter from the directives; the lyrics and the
//! comments as comment lines of the chart.
[[nodiscard]] ImportedSongs ReadChordPro(std::string_view text);

}  // namespace kaz
