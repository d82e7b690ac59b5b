#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kaz {

//! The name a chart's section mark gives a section that another program names so: a letter with an
//! optional number ("A", "b2" as "B2") or one of the words of the chart's marks in any case ("VERSE 2" as
//! "Verse 2", "Pre chorus" as "Pre-Chorus"), or any other name the chart reads as a section's and as nothing
//! else ("Strophe 2"). Nothing for a name the marks do not take ("Coda", "TEMPO=300"), which the chart then
//! keeps as a remark, so that no text from a file is read as another mark of the chart.
[[nodiscard]] std::optional<std::string> ChartSectionName(std::string_view name);

//! The same for a letter or one of the words of the chart's marks alone: for a remark that may name a
//! section ("Intro", "Verse 2:") or say anything else ("Play softly").
[[nodiscard]] std::optional<std::string> SectionWordName(std::string_view name);

}  // namespace kaz
