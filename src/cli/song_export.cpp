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
    for (const std::string& dropped : reading.dropped) {
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

std::optional<int> ReadExportArguments(const CommandArguments& arguments, const char* description,
                                       const char* outName, SongExportOptions& options) {
    CommandLine parser(description, SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    parser.AddPositional(outName, "The file to write, or - for standard output (the default).");
    AddNotationOption(parser);
    if (const auto exit = ExitOf(parser.Parse(arguments))) {
        return exit;
    }
    if (!ReadNotationOption(parser, options.notation)) {
        return kExitUsage;
    }
    const std::vector<std::string>& positionals = parser.Positionals();
    if (positionals.empty() || positionals.size() > 2) {
        return UsageError(std::string("expected FILE and an optional ") + outName +
                          " after the command; see --help");
    }
    options.file = positionals.front();
    if (positionals.size() == 2) {
        options.out = positionals[1];
    }
    return std::nullopt;
}

}  // namespace kaz::cli

// The entry of the interchange module, loaded for these commands only: it brings the XML and zip libraries.
extern "C" __attribute__((visibility("default"))) int KazRunInterchangeCommand(int argc, char* argv[]) {
    const kaz::cli::CommandArguments arguments{argv[0], {argv + 1, argv + argc}};
    const std::string& command = arguments.words.front();
    if (command == "import") {
        return kaz::cli::RunImport(arguments);
    }
    if (command == "export-ireal") {
        return kaz::cli::RunExportIreal(arguments);
    }
    return kaz::cli::RunExportMusicXml(arguments);
}
