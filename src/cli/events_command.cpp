#include <cstdio>
#include <string>

#include "cli/cli_common.h"

namespace kaz::cli {

int RunEvents(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Print the performance of a chart, one event a line, in playing order.");
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    QStringList positionals;
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 1, state.settings, positionals)) {
        return *exit;
    }
    ChartInput chart;
    if (const auto exit = ReadAndCompileChart(positionals.first(), state, chart)) {
        return *exit;
    }
    // One write for the whole listing: a long chart has millions of events.
    std::string text;
    for (std::size_t i = 0; i < state.events.size(); ++i) {
        AppendEventLine(text, state.events[i]);
    }
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        return UsageError("cannot write the events to standard output");
    }
    return kExitOk;
}

}  // namespace kaz::cli
