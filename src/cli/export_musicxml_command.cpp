#include <cstdio>

#include "base/output_file.h"
#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/musicxml_writer.h"

namespace kaz::cli {

int ExportMusicXml(const SongExportOptions& options) {
    LeadSheet song;
    if (const auto exit = ReadSongForExport(options, song)) {
        return *exit;
    }
    for (const std::string& difference : InEnglish(MusicXmlDifferences(song.measures))) {
        std::fprintf(stderr, "%s: warning: MusicXML cannot write %s\n", options.file.c_str(),
                     difference.c_str());
    }
    // Written as it is made: the lead sheet of a long chart is many times the chart's size.
    OutputFile file;
    const bool opened = options.out == "-" ? file.OpenStandardOutput() : file.Open(options.out);
    if (!opened || !StreamMusicXml(song, [&file](std::string_view piece) { return file.Write(piece); }) ||
        !file.Commit()) {
        return CannotWrite(options.out, file.Error());
    }
    return kExitOk;
}

int RunExportMusicXml(const CommandLine& parser) {
    SongExportOptions options;
    if (const auto exit = ReadExportArguments(parser, options)) {
        return *exit;
    }
    return ExportMusicXml(options);
}

}  // namespace kaz::cli
