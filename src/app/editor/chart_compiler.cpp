#include "app/editor/chart_compiler.h"

#include <QTimer>
#include <utility>

#include "app/core_messages.h"
#include "app/editor/chart_editor.h"
#include "app/user_prompts.h"

namespace kaz {

ChartCompiler::ChartCompiler(ChartEditor& editor, const RenderSettings& settings, QObject* parent)
    : QObject(parent),
      editor_(editor),
      settings_(settings),
      definitions_(std::make_shared<const ChordDefinitions>()),
      thread_([this] { Run(); }) {
    connect(editor.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != 0 || added != 0) {
            AskSoon();
        }
    });
    AskSoon();
}

ChartCompiler::~ChartCompiler() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ChartCompiler::SettingsChanged() {
    ++settingsRevision_;
    AskSoon();
}

void ChartCompiler::SetTempo(std::int32_t transport, std::optional<std::int32_t> heldMark) {
    if (transport != transportTempo_ || heldMark != heldMark_) {
        transportTempo_ = transport;
        heldMark_ = heldMark;
        AskSoon();
    }
}

void ChartCompiler::SetChordDefinitions(std::shared_ptr<const ChordDefinitions> definitions) {
    if (definitions == nullptr) {
        definitions = std::make_shared<const ChordDefinitions>();
    }
    const bool differ = *definitions != *definitions_;
    definitions_ = std::move(definitions);
    if (differ) {
        ++definitionsRevision_;
        AskSoon();
    }
}

RenderSettings ChartCompiler::SettingsNow() const {
    RenderSettings settings = settings_;
    settings.transportTempo = transportTempo_;
    settings.heldTempoMark = heldMark_;
    return settings;
}

bool ChartCompiler::IsCurrent(const ChartCompile& compile) const {
    if (compile.text != textRevision_ || compile.settings != settingsRevision_ ||
        compile.definitions != definitionsRevision_) {
        return false;
    }
    // Of the tempo only what the performance starts with matters.
    const CompiledChart& chart = *compile.chart;
    return !chart.Accepted() ||
           PerformanceTempo(chart.score, SettingsNow()) == PerformanceTempo(chart.score, chart.settings);
}

void ChartCompiler::AskSoon() {
    if (!askDue_) {
        askDue_ = true;
        QTimer::singleShot(0, this, [this] {
            if (askDue_) {
                Ask();
            }
        });
    }
}

void ChartCompiler::Ask() {
    askDue_ = false;
    std::string text = editor_.BytesToCompile();
    if (requests_ == 0 || text != askedText_) {
        ++textRevision_;
        askedText_ = text;
    } else if (askedSettings_ == settingsRevision_ && askedDefinitions_ == definitionsRevision_ &&
               ((askedTempo_ == transportTempo_ && askedMark_ == heldMark_) ||
                (taken_ == requests_ && IsCurrent(*latest_)))) {
        // Nothing the compile reads has changed since the last one was asked for.
        return;
    }
    askedSettings_ = settingsRevision_;
    askedDefinitions_ = definitionsRevision_;
    askedTempo_ = transportTempo_;
    askedMark_ = heldMark_;
    Request request{++requests_,         std::move(text), {SettingsNow(), definitions_, nullptr},
                    editor_.Revision(),  textRevision_,   settingsRevision_,
                    definitionsRevision_};
    {
        const std::lock_guard lock(mutex_);
        waiting_ = std::move(request);
    }
    changed_.notify_all();
}

std::shared_ptr<const ChartCompile> ChartCompiler::Current() {
    Ask();
    if (taken_ != requests_) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return finishedId_ >= requests_; });
    }
    TakeFinished();
    return latest_;
}

void ChartCompiler::TakeFinished() {
    std::shared_ptr<const ChartCompile> finished;
    std::uint64_t id = 0;
    {
        const std::lock_guard lock(mutex_);
        finished = finished_;
        id = finishedId_;
    }
    if (finished == nullptr || id <= taken_) {
        return;
    }
    taken_ = id;
    latest_ = std::move(finished);
    emit compiled();
}

void ChartCompiler::Run() {
    for (;;) {
        Request request;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return ending_ || waiting_.has_value(); });
            if (ending_) {
                return;
            }
            request = std::move(*waiting_);
            waiting_.reset();
        }
        auto compile = std::make_shared<ChartCompile>();
        compile->chart = Compile(std::move(request.text), request.options);
        compile->positions = TextPositionMap(compile->chart->text);
        if (compile->chart->Accepted()) {
            compile->measureNumbers = MeasureNumbersOfLines(compile->chart->score);
        }
        compile->editorRevision = request.editorRevision;
        compile->text = request.textRevision;
        compile->settings = request.settingsRevision;
        compile->definitions = request.definitionsRevision;
        compiles_.fetch_add(1, std::memory_order_relaxed);
        {
            const std::lock_guard lock(mutex_);
            finished_ = std::move(compile);
            finishedId_ = request.id;
        }
        changed_.notify_all();
        QMetaObject::invokeMethod(
            this, [this] { TakeFinished(); }, Qt::QueuedConnection);
    }
}

namespace {

QString ErrorCaption() {
    return ChartCompiler::tr("Kaz error");
}

//! The message box's text of a chart's mistake: its line, what is wrong and the text it is in.
QString MistakeText(const LanguageError& error) {
    return ChartCompiler::tr("Line: %1\n%2: `%3`")
        .arg(error.line)
        .arg(Said(error.said), QString::fromStdString(error.text));
}

}  // namespace

bool ShowCompileMistake(const ChartCompile& compile, ChartEditor& editor, UserPrompts& prompts) {
    const CompileResult& result = compile.chart->result;
    switch (result.outcome) {
        case CompileOutcome::LanguageError:
            editor.Select(editor.CursorAt(compile.positions, result.error.selection, compile.editorRevision),
                          true);
            prompts.ShowMessage(ErrorCaption().toStdString(), MistakeText(result.error).toStdString(),
                                MessageIcon::Exclamation);
            return true;
        case CompileOutcome::Fault:
            prompts.ShowMessage(ErrorCaption().toStdString(), result.fault, MessageIcon::Exclamation);
            return true;
        case CompileOutcome::Accepted:
        case CompileOutcome::NothingToPlay:
            break;
    }
    return false;
}

}  // namespace kaz
