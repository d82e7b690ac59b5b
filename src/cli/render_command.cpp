#include "cli/cli_common.h"
#include "midi/device/audio_render.h"

namespace kaz::cli {

int RunRender(const CommandArguments& arguments) {
    CommandLine parser(
        "Write the performance of a chart as audio through the built-in synthesizer, faster than real time.",
        SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    parser.AddPositional(
        "OUT.wav",
        "The audio file to write: FLAC when it ends in .flac, otherwise WAV; an existing file is replaced. - "
        "writes WAV to standard output.");
    AddChartOptions(parser);
    AddBandOptions(parser);
    CompileOptions options;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 2, options.settings)) {
        return *exit;
    }
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    if (const auto exit = ReadAndCompileChart(parser.Positionals().front(), options, chart, compiled)) {
        return *exit;
    }
    const std::int32_t tempo = PerformanceTempo(compiled->score, compiled->settings);
    const std::string& path = parser.Positionals().at(1);
    std::string error;
    if (RenderAudio(compiled->performance, tempo, path, AudioFormatOfPath(path),
                    SynthOptionsFromEnvironment(), {}, error, path == "-") != RenderOutcome::Written) {
        return UsageError(error);
    }
    return kExitOk;
}

}  // namespace kaz::cli
