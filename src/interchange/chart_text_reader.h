#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/message.h"
#include "interchange/lead_sheet.h"
#include "language/compile_score.h"

namespace kaz {

//! A chart read back into a lead sheet for the exports, or why it could not be.
struct ChartReading {
    LeadSheet sheet;
    //! What the chart says that a lead sheet cannot carry, one remark each: its own chord shapes, a change
    //! of style within the song.
    std::vector<Message> dropped;
    std::string error;  //!< empty when the chart was read

    [[nodiscard]] bool Read() const { return error.empty(); }
};

//! The lead sheet of an accepted chart: the header comments the import writes (title first, then
//! "Composer:", "Style:", "Key:", "Choruses:") from its text, everything else from the
//! compiled score, so the sheet has the measures, meters, form marks and chords the chart plays. Roots and
//! basses are spelled in English notation whatever notation the chart was written in.
[[nodiscard]] ChartReading ReadCompiledChart(const CompiledChart& chart);

}  // namespace kaz
