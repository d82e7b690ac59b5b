#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/cli_common.h"
#include "cli/hint_warnings.h"
#include "render/form_unrolling.h"

namespace kaz::cli {

namespace {

nlohmann::json CheckReport(const CompileResult& result) {
    nlohmann::json report{{"ok", result.Accepted()}};
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            break;
        case CompileOutcome::LanguageError:
            report["message"] = result.error.message;
            report["text"] = result.error.text;
            report["line"] = result.error.line;
            report["start"] = result.error.selection.start;
            report["end"] = result.error.selection.end;
            break;
        case CompileOutcome::Fault:
            report["message"] = result.fault;
            break;
        case CompileOutcome::NothingToPlay:
            report["message"] = std::string(kNothingToPlay);
            break;
    }
    return report;
}

//! Where repeats and jumps make the song longer than written: the written and the played number of measures.
void AddPlayedLength(nlohmann::json& report, const ScoreTree& score) {
    if (!MeasuresPlayedAgain(score).empty()) {
        report["measures"] = score.CountMeasures();
        report["playedMeasures"] = score.playOrder.size();
    }
}

}  // namespace

int RunCheck(const CommandArguments& arguments) {
    CommandLine parser("Say whether a chart is valid and, if not, where and why.",
                       SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    parser.AddOption({"json", "", "Print the result as one line of JSON on standard output."});
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 1, state.settings)) {
        return *exit;
    }
    DiscardedEvents discarded;
    state.events.StreamTo(&discarded);
    ChartInput chart;
    if (!ReadChart(parser.Positionals().front(), chart)) {
        return kExitUsage;
    }
    if (!parser.IsSet("json")) {
        const bool compiled = CompileChart(state, chart);
        PrintHintWarnings(chart.name, state.context, stderr);
        return compiled ? kExitOk : kExitChartError;
    }
    const CompileResult result = Compile(state, chart.bytes);
    nlohmann::json report = CheckReport(result);
    if (result.Accepted()) {
        AddPlayedLength(report, state.score);
    }
    // Invalid UTF-8 in the chart's text is shown as U+FFFD.
    const std::string json = report.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) +
                             "
                             ";
                             std::fwrite(json.data(), 1, json.size(), stdout);
    return result.Accepted() ? kExitOk : kExitChartError;
}

}  // namespace kaz::cli
