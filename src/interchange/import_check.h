#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "interchange/lead_sheet.h"
#include "language/compile_score.h"

namespace kaz {

class StyleLibrary;

//! How far a long import has come (done of total steps), told from the thread it runs on. Returns false once
//! the user has cancelled it; the import then stops at the next step.
using ImportProgress = std::function<bool(std::size_t done, std::size_t total)>;

//! Why the chart text of an imported song may not be written, in the program's words, or nothing when it
//! may: it compiles with options (the settings and the styles a [STYLE=…] mark may name) and the window
//! opens it (at most kMaxChartBytes, no line longer than kMaxChartLineCharacters).
[[nodiscard]] std::optional<Message> ChartRefusal(std::string_view text, const CompileOptions& options);

//! The rule every import keeps: leave out of imported each song whose chart ChartRefusal refuses, and name it
//! in imported.problems with the reason, so that only charts that compile and open are written. styles are
//! those the charts may name. False when progress cancelled the check, which leaves imported of no use.
[[nodiscard]] bool KeepChartsThatOpen(ImportedSongs& imported, std::shared_ptr<const StyleLibrary> styles,
                                      const ImportProgress& progress = {});

}  // namespace kaz
