#include "cli/cli_common.h"
#include "midi/device/audio_render.h"

namespace kaz::cli {

int RunRender(const CommandLine& parser) {
    CompileOptions options;
    if (const auto exit = ReadChartCommandLine(parser, options.settings)) {
        return *exit;
    }
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    if (const auto exit = ReadAndCompileChart(parser.Positionals().front(), options, chart, compiled)) {
        return *exit;
    }
    const std::int32_t tempo = PerformanceTempo(compiled->score, compiled->settings);
    const std::string& path = parser.Positionals().at(1);
    Message error;
    if (RenderAudio(compiled->performance, tempo, path, AudioFormatOfPath(path),
                    SynthOptionsFromEnvironment(), {}, error, path == "-") != RenderOutcome::Written) {
        return UsageError(error.English());
    }
    return kExitOk;
}

}  // namespace kaz::cli
