#include "app/editor/live_checker.h"

#include <QtConcurrent/QtConcurrentRun>

#include "app/editor/chart_editor.h"

namespace kaz {

namespace {

//! The longest offending text a report quotes in full.
constexpr qsizetype kLongestQuote = 40;

//! Compile text as Play would with copies of the session's definitions and settings. What the compile
//! defines and builds is thrown away with its state.
LiveChecker::Checked CheckChart(const std::string& text, ChordDefinitions definitions,
                                RenderSettings settings) {
    CompileState state;
    state.chordDefinitions = std::move(definitions);
    state.settings = settings;
    LiveChecker::Checked checked{Compile(state, text), std::nullopt, {}};
    if (checked.result.outcome != CompileOutcome::LanguageError && state.score.tempoGiven) {
        checked.tempoMark = state.score.scoreTempo;
    }
    if (checked.result.Accepted()) {
        checked.measureNumbers = MeasureNumbersOfLines(state.score);
    }
    return checked;
}

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

LiveChecker::LiveChecker(ChartEditor& editor, const CompileState& session, QObject* parent)
    : QObject(parent), editor_(editor), session_(session), mark_(new ErrorMark(editor)) {
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &LiveChecker::CheckNow);
    connect(&running_, &QFutureWatcherBase::finished, this, &LiveChecker::OnCheckEnded);
    connect(editor.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != 0 || added != 0) {
            OnTextChanged();
        }
    });
}

LiveChecker::~LiveChecker() {
    running_.waitForFinished();
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
    pause_.stop();
    due_ = false;
    mark_->Clear();
    emit checked(QString());
}

void LiveChecker::SetHintsShown(bool shown) {
    if (shown != hintsShown_) {
        hintsShown_ = shown;
        CheckNow();
    }
}

void LiveChecker::SetPlaying(bool playing) {
    playing_ = playing;
    if (!playing_ && due_) {
        CheckNow();
    }
}

void LiveChecker::OnTextChanged() {
    ++revision_;
    if (enabled_) {
        pause_.start();
    }
}

void LiveChecker::CheckNow() {
    if (!enabled_) {
        return;
    }
    if (playing_ || running_.isRunning()) {
        due_ = true;
        return;
    }
    due_ = false;
    checkedRevision_ = revision_;
    ChartEditor::CompileText text = editor_.TextToCompile();
    checkedPositions_ = std::move(text.positions);
    running_.setFuture(
        QtConcurrent::run(CheckChart, std::move(text.bytes), session_.chordDefinitions, session_.settings));
}

void LiveChecker::OnCheckEnded() {
    // A check of a text typed over since is of no use: the pause after the typing brings the next one.
    if (enabled_ && checkedRevision_ == revision_) {
        const Checked& checked = running_.result();
        Show(checked.result);
        if (checked.result.outcome != CompileOutcome::LanguageError) {
            emit tempoMarkRead(checked.tempoMark);
            editor_.SetMeasureNumbers(checked.measureNumbers, checkedPositions_);
        }
    }
    if (due_ && !playing_) {
        CheckNow();
    }
}

void LiveChecker::Show(const CompileResult& result) {
    QString report;
    switch (result.outcome) {
        case CompileOutcome::LanguageError: {
            const LanguageError& error = result.error;
            report = tr("Line %1: %2: `%3`")
                         .arg(error.line)
                         .arg(QString::fromUtf8(error.message), Quote(error.text));
            mark_->Place(checkedPositions_, error.selection, report);
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
            report = ShowHints(result);
            break;
    }
    emit checked(report);
}

QString LiveChecker::ShowHints(const CompileResult& result) {
    if (!hintsShown_ || result.hints.empty()) {
        return {};
    }
    std::vector<std::pair<TextRange, QString>> marks;
    for (const LanguageHint& hint : result.hints) {
        marks.emplace_back(
            hint.selection,
            tr("Line %1: %2: `%3`").arg(hint.line).arg(QString::fromUtf8(hint.message), Quote(hint.text)));
    }
    mark_->PlaceHints(checkedPositions_, marks);
    const auto more = static_cast<int>(marks.size()) - 1;
    return more == 0 ? marks.front().second
                     : tr("%1 (and %n more hint(s))", nullptr, more).arg(marks.front().second);
}

}  // namespace kaz
