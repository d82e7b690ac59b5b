#include "app/editor/live_checker.h"

#include "app/core_messages.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"

namespace kaz {

namespace {

//! The longest offending text a report quotes in full.
constexpr qsizetype kLongestQuote = 40;

//! The offending text as one line of a report: line breaks shown as a sign, other control characters as
//! the replacement character, a long text cut short.
QString Quote(const std::string& lexeme) {
    QString text = QString::fromUtf8(lexeme.data(), static_cast<qsizetype>(lexeme.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            c = QChar(0x21B5);
        } else if (c.category() == QChar::Other_Control && c != QLatin1Char('\t')) {
            c = QChar::ReplacementCharacter;
        }
    }
    if (text.size() > kLongestQuote) {
        text = text.left(kLongestQuote) + QChar(0x2026);
    }
    return text;
}

}  // namespace

LiveChecker::LiveChecker(ChartEditor& editor, ChartCompiler& compiler, QObject* parent)
    : QObject(parent), editor_(editor), compiler_(compiler), mark_(new ErrorMark(editor)) {
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &LiveChecker::CheckNow);
    connect(&compiler, &ChartCompiler::compiled, this, &LiveChecker::OnCompiled);
    connect(editor.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != 0 || added != 0) {
            pause_.start();
        }
    });
}

void LiveChecker::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        CheckNow();
        return;
    }
    mark_->Clear();
    emit checked(QString());
}

void LiveChecker::SetHintsShown(bool shown) {
    if (shown != hintsShown_) {
        hintsShown_ = shown;
        CheckNow();
    }
}

void LiveChecker::CheckNow() {
    const std::shared_ptr<const ChartCompile>& latest = compiler_.Latest();
    // A compile of an older text is of no use: the one of the text as it is now is on its way.
    if (enabled_ && latest != nullptr && compiler_.IsCurrent(*latest)) {
        Show(*latest);
    }
}

void LiveChecker::OnCompiled() {
    const std::shared_ptr<const ChartCompile>& latest = compiler_.Latest();
    // An error typed a moment ago is most likely still being typed: it shows when typing stops.
    if (latest->chart->result.outcome != CompileOutcome::LanguageError || !pause_.isActive()) {
        CheckNow();
    }
}

void LiveChecker::Show(const ChartCompile& compile) {
    const CompiledChart& chart = *compile.chart;
    const CompileResult& result = chart.result;
    QString report;
    switch (result.outcome) {
        case CompileOutcome::LanguageError: {
            const LanguageError& error = result.error;
            report = tr("Line %1: %2: `%3`").arg(error.line).arg(Said(error.said), Quote(error.text));
            mark_->Place(compile.positions, error.selection, report);
            break;
        }
        case CompileOutcome::Fault:
            // Not the chart's fault, and nowhere in it.
            mark_->Clear();
            report = QString::fromUtf8(result.fault);
            break;
        case CompileOutcome::Accepted:
        case CompileOutcome::NothingToPlay:
            // A chart that sounds no note is no mistake while it is being written; Play says so.
            mark_->Clear();
            report = ShowHints(compile);
            break;
    }
    emit checked(report);
    if (result.outcome != CompileOutcome::LanguageError) {
        emit tempoMarkRead(chart.tempoMark);
        editor_.SetMeasureNumbers(compile.measureNumbers, compile.positions);
    }
}

QString LiveChecker::ShowHints(const ChartCompile& compile) {
    const CompileResult& result = compile.chart->result;
    if (!hintsShown_ || result.hints.empty()) {
        return {};
    }
    std::vector<std::pair<TextRange, QString>> marks;
    for (const LanguageHint& hint : result.hints) {
        marks.emplace_back(hint.selection,
                           tr("Line %1: %2: `%3`").arg(hint.line).arg(Said(hint.said), Quote(hint.text)));
    }
    mark_->PlaceHints(compile.positions, marks);
    const auto more = static_cast<int>(marks.size()) - 1;
    return more == 0 ? marks.front().second
                     : tr("%1 (and %n more hint(s))", nullptr, more).arg(marks.front().second);
}

}  // namespace kaz
