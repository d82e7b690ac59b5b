#include <QFile>

#include "cli/cli_common.h"
#include "midi/midi_file_writer.h"

namespace kaz::cli {

int RunExport(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Write the performance of a chart as a Standard MIDI File.");
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    parser.addPositionalArgument("OUT.mid",
                                 "The MIDI file to write, or - for standard output; an existing "
                                 "file is replaced.");
    AddChartOptions(parser);
    QStringList positionals;
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 2, state.settings, positionals)) {
        return *exit;
    }
    const QString& out = positionals.at(1);
    // The file is written while the chart compiles, so the song is never held whole.
    MidiFileExport file(QFile::encodeName(out).toStdString(), out == "-");
    state.events.StreamTo(&file);
    ChartInput chart;
    if (const auto exit = ReadAndCompileChart(positionals.first(), state, chart)) {
        return *exit;
    }
    if (!file.Close()) {
        return UsageError(QStringLiteral("Cannot open file `%1` for writing!").arg(out));
    }
    return kExitOk;
}

}  // namespace kaz::cli
