#include <QFile>

#include "cli/cli_common.h"
#include "midi/midi_file_writer.h"

namespace kaz::cli {

int RunExport(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Write the performance of a chart as a Standard MIDI File.");
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    parser.addPositionalArgument("OUT.mid", "The MIDI file to write; an existing file is replaced.");
    AddChartOptions(parser);
    QStringList positionals;
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 2, state.settings, positionals)) {
        return *exit;
    }
    ChartInput chart;
    if (const auto exit = ReadAndCompileChart(positionals.first(), state, chart)) {
        return *exit;
    }
    const QString& out = positionals.at(1);
    if (!ExportMidiFile(state.events, QFile::encodeName(out).toStdString())) {
        return UsageError(QStringLiteral("Cannot open file `%1` for writing!").arg(out));
    }
    return kExitOk;
}

}  // namespace kaz::cli
