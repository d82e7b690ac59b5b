#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "cli/cli_common.h"

namespace kaz::cli {

namespace {

QString FromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QJsonObject CheckReport(const CompileResult& result) {
    QJsonObject report{{"ok", result.Accepted()}};
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            break;
        case CompileOutcome::LanguageError:
            report["message"] = FromBytes(result.error.message);
            report["text"] = FromBytes(result.error.text);
            report["line"] = result.error.line;
            report["start"] = result.error.selection.start;
            report["end"] = result.error.selection.end;
            break;
        case CompileOutcome::Fault:
            report["message"] = FromBytes(result.fault);
            break;
        case CompileOutcome::NothingToPlay:
            report["message"] = QString::fromUtf8(kNothingToPlay.data(), kNothingToPlay.size());
            break;
    }
    return report;
}

}  // namespace

int RunCheck(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Say whether a chart is valid and, if not, where and why.");
    parser.addPositionalArgument("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    parser.addOption({"json", "Print the result as one line of JSON on standard output."});
    QStringList positionals;
    CompileState state;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 1, state.settings, positionals)) {
        return *exit;
    }
    DiscardedEvents discarded;
    state.events.StreamTo(&discarded);
    ChartInput chart;
    if (!ReadChart(positionals.first(), chart)) {
        return kExitUsage;
    }
    if (!parser.isSet("json")) {
        return CompileChart(state, chart) ? kExitOk : kExitChartError;
    }
    const CompileResult result = Compile(state, chart.bytes);
    const QByteArray json = QJsonDocument(CheckReport(result)).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    std::fputc('\n', stdout);
    return result.Accepted() ? kExitOk : kExitChartError;
}

}  // namespace kaz::cli
