#include <QCommandLineParser>
#include <QFile>
#include <cstdio>
#include <filesystem>

#include "base/output_file.h"
#include "cli/cli_common.h"
#include "cli/interchange_commands.h"
#include "interchange/chart_text_reader.h"

namespace kaz::cli {

std::optional<int> ReadSongForExport(const SongExportOptions& options, LeadSheet& song) {
    CompileState state;
    DiscardedEvents discarded;
    state.events.StreamTo(&discarded);
    ChartInput chart;
    if (const auto exit = ReadAndCompileChart(QFile::decodeName(options.file.c_str()), state, chart)) {
        return exit;
    }
    ChartReading reading = ReadChartText(chart.bytes);
    if (!reading.Read()) {
        std::fprintf(stderr, "%s: error: %s\n", options.file.c_str(), reading.error.c_str());
        return kExitChartError;
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
        std::fprintf(stderr, "kaz-cli: Cannot open file `%s` for writing!\n", options.out.c_str());
        return kExitUsage;
    }
    return kExitOk;
}

std::optional<int> ReadExportArguments(const QStringList& arguments, const char* description,
                                       const char* outName, SongExportOptions& options) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    parser.addPositionalArgument(outName, "The file to write, or - for standard output (the default).");
    if (!ParseArguments(parser, arguments)) {
        return parser.isSet("help") ? kExitOk : kExitUsage;
    }
    const QStringList positionals = parser.positionalArguments();
    if (positionals.isEmpty() || positionals.size() > 2) {
        return UsageError(
            QStringLiteral("expected FILE and an optional %1 after the command; see --help").arg(outName));
    }
    options.file = QFile::encodeName(positionals.first()).toStdString();
    if (positionals.size() == 2) {
        options.out = QFile::encodeName(positionals.at(1)).toStdString();
    }
    return std::nullopt;
}

CommandRunner FindInterchangeCommand(const std::string& name) {
    if (name == "import") {
        return RunImport;
    }
    if (name == "export-ireal") {
        return RunExportIreal;
    }
    if (name == "export-musicxml") {
        return RunExportMusicXml;
    }
    return nullptr;
}

}  // namespace kaz::cli
