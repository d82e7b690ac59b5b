#include <cstdio>

#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/chordpro_writer.h"

namespace kaz::cli {

int ExportChordPro(const SongExportOptions& options) {
    LeadSheet song;
    if (const auto exit = ReadSongForExport(options, song)) {
        return *exit;
    }
    for (const std::string& difference : InEnglish(ChordProDifferences(song))) {
        std::fprintf(stderr, "%s: warning: ChordPro cannot write %s\n", options.file.c_str(),
                     difference.c_str());
    }
    return WriteExport(options, WriteChordPro(song));
}

int RunExportChordPro(const CommandLine& parser) {
    SongExportOptions options;
    if (const auto exit = ReadExportArguments(parser, options)) {
        return *exit;
    }
    return ExportChordPro(options);
}

}  // namespace kaz::cli
