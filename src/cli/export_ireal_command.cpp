#include <cstdio>

#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/ireal_cells.h"
#include "interchange/ireal_link.h"

namespace kaz::cli {

int ExportIreal(const SongExportOptions& options) {
    LeadSheet song;
    if (const auto exit = ReadSongForExport(options, song)) {
        return *exit;
    }
    for (const std::string& difference : InEnglish(LinkDifferences(song.measures))) {
        std::fprintf(stderr, "%s: warning: iReal Pro cannot write %s\n", options.file.c_str(),
                     difference.c_str());
    }
    return WriteExport(options, WriteIrealPage({song}, ""));
}

int RunExportIreal(const CommandLine& parser) {
    SongExportOptions options;
    if (const auto exit = ReadExportArguments(parser, options)) {
        return *exit;
    }
    return ExportIreal(options);
}

}  // namespace kaz::cli
