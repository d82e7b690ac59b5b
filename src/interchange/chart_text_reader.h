#pragma once

#include <string>
#include <string_view>

#include "interchange/lead_sheet.h"

namespace kaz {

//! A chart read back into a lead sheet for the exports, or why it could not be.
struct ChartReading {
    LeadSheet sheet;
    std::string error;  //!< empty when the chart was read

    [[nodiscard]] bool Read() const { return error.empty(); }
};

//! Read chart text: the header comments the import writes (title first, then "Composer:", "Style:", "Key:",
//! "Choruses:"), the tempo and style marks, and the measures with their form marks. Chord symbols are kept as
//! written; the compile, not this reading, decides whether they are valid.
[[nodiscard]] ChartReading ReadChartText(std::string_view text);

}  // namespace kaz
