#pragma once

#include <string>

#include "interchange/lead_sheet.h"

namespace kaz {

//! The chart text of a lead sheet: header comments (title, composer, style, key, choruses), the key and
//! tempo marks, then four measures a line, a new line at every section, with the repeats, endings, jumps and
//! sections written as the chart language's form marks; a chart whose only B is a bare "B" ends with the
//! line that keeps it in English notation.
[[nodiscard]] std::string WriteChartText(const LeadSheet& sheet);

//! The chart lines that name the song's style: a comment with the name as given, and the style mark of the
//! style Kaz plays for it, when it has one.
[[nodiscard]] std::string StyleLine(const std::string& style);

}  // namespace kaz
