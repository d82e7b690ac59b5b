#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/cli_common.h"
#include "cli/hint_warnings.h"
#include "render/form_unrolling.h"

namespace kaz::cli {

namespace {

nlohmann::json CheckReport(const CompiledChart& compiled, const ChartInput& chart) {
    const CompileResult& result = compiled.result;
    const ScoreTree& score = compiled.score;
    nlohmann::json report{{"ok", result.Accepted()}};
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            // A form that plays measures again says how long the song is as written and as played.
            if (!PlaysAsWritten(score)) {
                report["measures_written"] = score.measureSlots.size();
                report["measures_played"] = score.playOrder.size();
            }
            break;
        case CompileOutcome::LanguageError:
            report["message"] = result.error.message;
            report["text"] = result.error.text;
            report["line"] = result.error.line;
            report["column"] = ChartColumn(chart, result.error.selection.start);
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

//! What check does with each chart.
struct CheckOptions {
    bool json = false;
    bool named = false;  //!< several charts: each JSON result names its file
};

//! Check one chart; the exit status of its result.
int CheckChart(const std::string& path, const RenderSettings& settings, const CheckOptions& options) {
    DiscardedEvents discarded;
    ChartInput chart;
    if (!ReadChart(path, chart)) {
        return kExitUsage;
    }
    const std::shared_ptr<const CompiledChart> compiled =
        Compile(chart.bytes, {settings, nullptr, &discarded});
    const CompileResult& result = compiled->result;
    if (!options.json) {
        const bool accepted = ReportCompile(*compiled, chart);
        PrintHintWarnings(chart, result, stderr);
        return accepted ? kExitOk : kExitChartError;
    }
    nlohmann::json report = CheckReport(*compiled, chart);
    if (options.named) {
        report["file"] = chart.name;
    }
    // Invalid UTF-8 in the chart's text, or in a file's name, is shown as U+FFFD.
    const std::string json = report.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    std::fwrite(json.data(), 1, json.size(), stdout);
    return result.Accepted() ? kExitOk : kExitChartError;
}

}  // namespace

int RunCheck(const CommandArguments& arguments) {
    CommandLine parser(
        "Say whether charts are valid and, if not, where and why; the exit status is the worst "
        "of their results.",
        SingleDashWords::LongOptions);
    parser.AddPositional("FILE...", "The charts, or - for standard input.");
    AddChartOptions(parser);
    parser.AddOption({"json", "", "Print the result as one line of JSON on standard output."});
    // Errors always give their column now; the option stays for the scripts that ask for it.
    parser.AddOption({"column", "", "Accepted for older scripts: every error gives its column."});
    RenderSettings settings;
    if (const auto exit = ReadChartCommandLine(parser, arguments, kOneOrMore, settings)) {
        return *exit;
    }
    const std::vector<std::string>& paths = parser.Positionals();
    const CheckOptions options{parser.IsSet("json"), paths.size() > 1};
    int worst = kExitOk;
    for (const std::string& path : paths) {
        worst = std::max(worst, CheckChart(path, settings, options));
    }
    return worst;
}

}  // namespace kaz::cli
