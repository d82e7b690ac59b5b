#include <QFile>

#include "cli/cli_common.h"
#include "midi/device/audio_render.h"

namespace kaz::cli {

int RunRender(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Write the performance of a chart as audio through the built-in synthesizer, faster than real time.");
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    parser.addPositionalArgument(
        "OUT.wav",
        "The audio file to write: FLAC when it ends in .flac, otherwise WAV; an existing "
        "file is replaced.");
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
    const std::int32_t tempo =
        state.score.tempoGiven ? state.score.scoreTempo : state.settings.transportTempo;
    const std::string path = QFile::encodeName(positionals.at(1)).toStdString();
    std::string error;
    if (RenderAudio(state.events, tempo, path, AudioFormatOfPath(path), SynthOptionsFromEnvironment(), {},
                    error) != RenderOutcome::Written) {
        return UsageError(QString::fromStdString(error));
    }
    return kExitOk;
}

}  // namespace kaz::cli
