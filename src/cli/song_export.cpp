#include <cstdio>
#include <filesystem>

#include "base/output_file.h"
#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/chart_text_reader.h"

namespace kaz::cli {

std::optional<int> ReadSongForExport(const SongExportOptions& options, LeadSheet& song) {
    CompileOptions compileOptions;
    compileOptions.settings.notation = options.notation;
    // A chart that names a style compiles only with the styles at hand.
    compileOptions.settings.style.library = ProgramStyles();
    DiscardedEvents discarded;
    compileOptions.stream = &discarded;
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    // The song's texts (title, composer, remarks) are written as UTF-8 whatever the chart's encoding.
    if (const auto exit =
            ReadAndCompileChart(options.file, compileOptions, chart, compiled, ChartBytes::AsUtf8)) {
        return exit;
    }
    ChartReading reading = ReadCompiledChart(*compiled);
    for (const std::string& dropped : InEnglish(reading.dropped)) {
        std::fprintf(stderr, "%s: warning: not exported: %s\n", options.file.c_str(), dropped.c_str());
    }
    song = std::move(reading.sheet);
    if (song.title.empty() && options.file != "-") {
        song.title = std::filesystem::path(options.file).stem().string();
    }
    return std::nullopt;
}

int WriteExport(const SongExportOptions& options, const std::string& bytes) {
    OutputFile file;
    const bool opened = options.out == "-" ? file.OpenStandardOutput() : file.Open(options.out);
    if (!opened || !file.Write(bytes) || !file.Commit()) {
        return CannotWrite(options.out, file.Error());
    }
    return kExitOk;
}

std::optional<int> ReadExportArguments(const CommandLine& parser, SongExportOptions& options) {
    ReadNotationOption(parser, options.notation);
    if (!TakeArguments(parser)) {
        return kExitUsage;
    }
    const std::vector<std::string>& positionals = parser.Positionals();
    options.file = positionals.front();
    if (positionals.size() == 2) {
        options.out = positionals[1];
    }
    return std::nullopt;
}

}  // namespace kaz::cli

// The entry of the interchange module, loaded for these commands only: it brings the XML and zip libraries.
extern "C" __attribute__((visibility("default"))) int KazRunInterchangeCommand(int argc, char* argv[]) {
    using namespace kaz::cli;
    const CommandRunner runners[] = {{"import", RunImport},
                                     {"export-ireal", RunExportIreal},
                                     {"export-musicxml", RunExportMusicXml},
                                     {"export-chordpro", RunExportChordPro}};
    return RunCommand(argc, argv, runners);
}
