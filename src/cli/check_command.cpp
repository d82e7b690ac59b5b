#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "cli/cli_common.h"

namespace kaz::cli {

namespace {

QString FromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QJsonObject CheckReport(const CompileState& state, bool ok) {
    QJsonObject report{{"ok", ok}};
    if (ok) {
        return report;
    }
    const CompileContext& context = state.context;
    if (context.lastError) {
        const LanguageError& error = *context.lastError;
        report["message"] = FromBytes(error.message);
        report["text"] = FromBytes(error.text);
        report["line"] = error.line;
        report["start"] = error.selection.start;
        report["end"] = error.selection.end;
    } else if (context.fault) {
        report["message"] = FromBytes(*context.fault);
    } else {
        report["message"] = QString::fromUtf8(kNothingToPlay.data(), kNothingToPlay.size());
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
    ChartInput chart;
    if (!ReadChart(positionals.first(), chart)) {
        return kExitUsage;
    }
    if (!parser.isSet("json")) {
        return CompileChart(state, chart) ? kExitOk : kExitChartError;
    }
    TextEditor view;
    SilentPresenter presenter;
    const bool ok = CompileScore(state, chart.bytes, view, presenter);
    const QByteArray json = QJsonDocument(CheckReport(state, ok)).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    std::fputc('\n', stdout);
    return ok ? kExitOk : kExitChartError;
}

}  // namespace kaz::cli
