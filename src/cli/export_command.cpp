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
    if (!ParseArguments(parser, arguments) || !ReadChartOptions(parser, state.settings) ||
        !TakePositionals(parser, 2, positionals)) {
        return parser.isSet("help") ? kExitOk : kExitUsage;
    }
    ChartInput chart;
    if (!ReadChart(positionals.first(), chart)) {
        return kExitUsage;
    }
    if (!CompileChart(state, chart)) {
        return kExitChartError;
    }
    const QString& out = positionals.at(1);
    if (!ExportMidiFile(state.events, QFile::encodeName(out).toStdString())) {
        return UsageError(QStringLiteral("Cannot open file `%1` for writing!").arg(out));
    }
    return kExitOk;
}

}  // namespace kaz::cli
