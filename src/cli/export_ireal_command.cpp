#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/ireal_link.h"

namespace kaz::cli {

int ExportIreal(const SongExportOptions& options) {
    LeadSheet song;
    if (const auto exit = ReadSongForExport(options, song)) {
        return *exit;
    }
    return WriteExport(options, WriteIrealPage({song}, ""));
}

int RunExportIreal(const CommandArguments& arguments) {
    SongExportOptions options;
    if (const auto exit = ReadExportArguments(
            arguments, "Write the chart as an iReal Pro link in a small HTML page.", "OUT.html", options)) {
        return *exit;
    }
    return ExportIreal(options);
}

}  // namespace kaz::cli
