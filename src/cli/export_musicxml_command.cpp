#include <cstdio>

#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/musicxml_writer.h"

namespace kaz::cli {

int ExportMusicXml(const SongExportOptions& options) {
    LeadSheet song;
    if (const auto exit = ReadSongForExport(options, song)) {
        return *exit;
    }
    for (const std::string& difference : MusicXmlDifferences(song.measures)) {
        std::fprintf(stderr, "%s: warning: MusicXML cannot write %s\n", options.file.c_str(),
                     difference.c_str());
    }
    return WriteExport(options, WriteMusicXml(song));
}

int RunExportMusicXml(const CommandArguments& arguments) {
    SongExportOptions options;
    if (const auto exit = ReadExportArguments(
            arguments, "Write the chart as a MusicXML 4.0 lead sheet: chord symbols over slashes.",
            "OUT.musicxml", options)) {
        return *exit;
    }
    return ExportMusicXml(options);
}

}  // namespace kaz::cli
