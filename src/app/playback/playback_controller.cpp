#include "app/playback/playback_controller.h"

#include <QAction>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

#include "app/core_messages.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"
#include "app/playback/transport_bar.h"
#include "app/playback/transport_button.h"
#include "app/session.h"
#include "app/user_prompts.h"
#include "app/window_command.h"
#include "base/program.h"
#include "chart/chord_display.h"
#include "harmony/musical_key.h"
#include "midi/device/builtin_synth.h"

namespace kaz {

namespace {

//! How often a waiting Play looks whether the sounds have loaded: soon enough not to be heard as late.
constexpr int kSoundsWaitMs = 10;

//! Why the playback could not start or go on, in the window's words: the engine's own sentence translated, a
//! device's reason as the device gives it.
std::string FailureSaid(const std::string& failure) {
    return failure == kCannotOpenMidiDevice ? Said(Message(kCannotOpenMidiDevice.data())).toStdString()
                                            : failure;
}

}  // namespace

PlaybackController::PlaybackController(Session& session, ChartEditor& editor, ChartCompiler& compiler,
                                       UserPrompts& prompts, QWidget& window)
    : QObject(&window), session_(session), editor_(editor), compiler_(compiler), prompts_(prompts) {
    CreateCommands(window);
    transport_ = new TransportBar(
        session_.devices,
        {commands_.play, commands_.pause, commands_.stop, commands_.loop, commands_.loopSelectedMeasures},
        &window);
    PlaybackSeams seams{session_.clock, session_.timer, session_.makePort};
    seams.stateChanged = [this] { OnStateChanged(); };
    seams.sounding = [this](const CompiledChart& chart, TextRange text) { ShowSounding(chart, text); };
    seams.tempoRaised = [this](std::int32_t tempo) { ShowTempo(tempo); };
    seams.keyMoved = [this](int shift) { ShowKeyMoved(shift); };
    seams.songOver = [this] {
        QMetaObject::invokeMethod(this, &PlaybackController::songEnded, Qt::QueuedConnection);
    };
    seams.failed = [this](const std::string& failure) {
        prompts_.ShowMessage(kProgramName, FailureSaid(failure), MessageIcon::Exclamation);
    };
    engine_ = std::make_unique<PlaybackEngine>(std::move(seams));
    soundsWait_ = new QTimer(this);
    soundsWait_->setInterval(kSoundsWaitMs);
    connect(soundsWait_, &QTimer::timeout, this, &PlaybackController::PlayWhenReady);
    connect(&transport_->Tempo(), &QSpinBox::valueChanged, this, &PlaybackController::OnTempoChosen);
    connect(&compiler_, &ChartCompiler::compiled, this, &PlaybackController::OfferLatest);
    PassTempo();
    UpdateCommands();
}

PlaybackController::~PlaybackController() {
    engine_.reset();
}

void PlaybackController::CreateCommands(QWidget& window) {
    Commands& c = commands_;
    c.play = AddWindowCommand(window, tr("Play"), tr("Play"), {});
    connect(c.play, &QAction::triggered, this, &PlaybackController::OnPlay);
    c.pause = AddWindowCommand(window, tr("Pause/Resume"), tr("Pause/Resume"), {QKeySequence(Qt::Key_Pause)});
    connect(c.pause, &QAction::triggered, this, [this] { engine_->OnPauseResume(); });
    c.stop = AddWindowCommand(window, tr("Stop"), tr("Stop"), {QKeySequence(Qt::Key_Escape)});
    connect(c.stop, &QAction::triggered, this, &PlaybackController::Stop);
    c.loop = AddWindowCommand(window, tr("Loop"), tr("Loop playback"), {});
    connect(c.loop, &QAction::triggered, this, [this] { engine_->OnLoop(); });
    c.playOrPause = AddWindowCommand(window, tr("Play/Pause"), tr("Play, or pause and resume"),
                                     {QKeySequence(Qt::CTRL | Qt::Key_Space)});
    connect(c.playOrPause, &QAction::triggered, this,
            [this] { IsStopped() ? OnPlay() : engine_->OnPauseResume(); });
    c.loopSelectedMeasures =
        AddWindowCommand(window, tr("&Loop selected measures"),
                         tr("Play the measures the selection touches again and again, until Stop"),
                         {QKeySequence(Qt::CTRL | Qt::Key_L)});
    connect(c.loopSelectedMeasures, &QAction::triggered, this, &PlaybackController::OnLoopSelectedMeasures);
    c.countIn = AddWindowCommand(window, tr("&Count-in"),
                                 tr("Play one measure of clicks before the music starts"), {});
    c.countIn->setCheckable(true);
    connect(c.countIn, &QAction::toggled, this, [this](bool on) { engine_->SetCountIn(on); });
    c.editWhilePlaying = AddWindowCommand(
        window, tr("&Edit while playing"),
        tr("Keep the chart open to changes while it plays; a change is heard from the next measure"), {});
    c.editWhilePlaying->setCheckable(true);
    connect(c.editWhilePlaying, &QAction::toggled, this, [this](bool on) {
        editor_.setReadOnly(!TextEditable());
        if (!on) {
            editor_.SetMarks(ChartEditor::Marks::Sounding, {});
        }
        emit editingChanged();
    });
}

bool PlaybackController::TextEditable() const {
    return IsStopped() || commands_.editWhilePlaying->isChecked();
}

void PlaybackController::UpdateCommands() {
    const auto state = [this](PlaybackCommand command) { return engine_->QueryCommand(command); };
    commands_.play->setEnabled(state(PlaybackCommand::Play).enabled);
    commands_.pause->setEnabled(state(PlaybackCommand::PauseResume).enabled);
    commands_.stop->setEnabled(state(PlaybackCommand::Stop).enabled || waiting_.has_value());
    const CommandState practice = state(PlaybackCommand::LoopSelectedMeasures);
    commands_.loopSelectedMeasures->setEnabled(practice.enabled);
    transport_->LoopSelectedMeasuresButton().SetLatched(practice.checked);
}

std::shared_ptr<const ChartCompile> PlaybackController::CompileForCommand() {
    std::shared_ptr<const ChartCompile> compile = compiler_.Current();
    // A chart the user acts on makes its chord definitions known for the rest of the run, whether it compiles
    // or not.
    compiler_.SetChordDefinitions(compile->chart->chordDefinitions);
    return AcceptCompile(*compile) ? compile : nullptr;
}

bool PlaybackController::AcceptCompile(const ChartCompile& compile) {
    if (ShowCompileMistake(compile, editor_, prompts_)) {
        return false;
    }
    if (compile.chart->result.outcome == CompileOutcome::NothingToPlay) {
        prompts_.ShowMessage(kProgramName, Said(Message(kNothingToPlay.data())).toStdString(),
                             MessageIcon::Information);
        return false;
    }
    return true;
}

void PlaybackController::OnPlay() {
    if (!IsStopped() || waiting_) {
        return;
    }
    if (const std::shared_ptr<const ChartCompile> compile = CompileForCommand()) {
        PlayCompile(compile, std::nullopt);
    }
}

void PlaybackController::OnLoopSelectedMeasures() {
    if (!IsStopped() || waiting_) {
        return;
    }
    const std::shared_ptr<const ChartCompile> compile = CompileForCommand();
    if (compile == nullptr) {
        return;
    }
    const CompiledChart& chart = *compile->chart;
    const QTextCursor selection = editor_.textCursor();
    const std::optional<MeasureSpan> measures =
        SongMap(chart.score)
            .MeasuresTouching(chart.text, compile->positions.ToCompiled(
                                              {selection.selectionStart(), selection.selectionEnd()}));
    if (measures) {
        PlayCompile(compile, measures);
    }
}

void PlaybackController::PlayCompile(const std::shared_ptr<const ChartCompile>& compile,
                                     std::optional<MeasureSpan> measures) {
    if (!PortReady(transport_->SelectedDeviceName())) {
        waiting_ = WaitingPlay{compile, measures};
        transport_->PlayButton().SetLatched(true);
        soundsWait_->start();
        UpdateCommands();
        return;
    }
    // The chart's own tempo mark wins when it is new, and the box shows it; the live controls go on from
    // there.
    TakeTempoMark(compile->chart->tempoMark);
    // A value the box could not take gives way to the tempo that plays.
    ShowTempo(engine_->State().tempo);
    savedSelection_ = editor_.textCursor();
    given_ = {compile};
    const std::string device = transport_->SelectedDeviceName();
    const std::string failure = measures
                                    ? engine_->PlayMeasures(compile->chart, device, *measures, practiceTempo_)
                                    : engine_->Play(compile->chart, device);
    if (!failure.empty()) {
        given_.clear();
        prompts_.ShowMessage(kProgramName, FailureSaid(failure), MessageIcon::Exclamation);
    }
}

bool PlaybackController::PortReady(const std::string& device) const {
    // Another output that fails to open falls back to the synthesizer, which then loads at once as before.
    return device != kBuiltInSynthName || !session_.portReady || session_.portReady();
}

void PlaybackController::PlayWhenReady() {
    if (!waiting_ || !PortReady(transport_->SelectedDeviceName())) {
        return;
    }
    soundsWait_->stop();
    const WaitingPlay play = *std::exchange(waiting_, std::nullopt);
    // Lit again by the Play that starts; not by one that fails.
    transport_->PlayButton().SetLatched(false);
    UpdateCommands();
    PlayCompile(play.compile, play.measures);
}

void PlaybackController::OnStateChanged() {
    const bool playing = !IsStopped();
    const PlaybackState state = engine_->State();
    transport_->PlayButton().SetLatched(playing);
    transport_->PauseButton().SetLatched(playing && state.paused);
    transport_->LoopButton().SetLatched(state.looping);
    transport_->SetTempoTypingReadOnly(playing);
    transport_->Devices().setEnabled(!playing);
    editor_.setReadOnly(!TextEditable());
    if (playing_ && !playing) {
        given_.clear();
        editor_.SetMarks(ChartEditor::Marks::Sounding, {});
        editor_.Select(savedSelection_, true);
    }
    playing_ = playing;
    UpdateCommands();
    emit playingChanged(playing);
}

void PlaybackController::ShowSounding(const CompiledChart& chart, TextRange text) {
    const auto given = std::find_if(given_.begin(), given_.end(),
                                    [&chart](const auto& compile) { return compile->chart.get() == &chart; });
    if (given == given_.end()) {
        return;
    }
    // The charts given before this one are done with.
    const ChartCompile& compile = **given;
    const QTextCursor cursor = editor_.CursorAt(compile.positions, text, compile.editorRevision);
    given_.erase(given_.begin(), given);
    if (commands_.editWhilePlaying->isChecked()) {
        // The caret is the user's, who may be typing: the chord that sounds is marked instead.
        QTextEdit::ExtraSelection mark;
        mark.cursor = cursor;
        mark.format.setBackground(editor_.palette().color(QPalette::Highlight));
        mark.format.setForeground(editor_.palette().color(QPalette::HighlightedText));
        editor_.SetMarks(ChartEditor::Marks::Sounding, {mark});
        return;
    }
    // 0, 0 only puts the caret at the start; scrolling there would pull the view away from the music.
    editor_.Select(cursor, text.start != 0 || text.end != 0);
}

void PlaybackController::OnTempoChosen(int tempo) {
    if (!showingTempo_) {
        engine_->SetPlaybackTempo(tempo);
    }
    PassTempo();
    emit tempoChanged();
}

void PlaybackController::SetPracticeTempo(const PracticeTempo& tempo) {
    practiceTempo_ = tempo;
    engine_->SetKeyStepEachRound(tempo.keyStep);
}

void PlaybackController::ShowKeyMoved(int shift) {
    if (given_.empty()) {
        return;
    }
    const ScoreTree& score = given_.back()->chart->score;
    const MusicalKey key = MovedKey(KeyOfScore(score), shift);
    const QString name = QString::fromStdString(
        DisplayNoteName(KeySpellings(key, score.bLettersSeen)[static_cast<std::size_t>(key.tonic)]) +
        (key.minor ? "m" : ""));
    emit notice(shift == 0
                    ? tr("This time round in %1, as written").arg(name)
                    : tr("This time round in %1, %2 semitones from the chart")
                          .arg(name, (shift > 0 ? QStringLiteral("+") : QString()) + QString::number(shift)));
}

void PlaybackController::ShowTempo(std::int32_t tempo) {
    showingTempo_ = true;
    // Set even when it is the value already: a text the box could not take shows the value again.
    transport_->Tempo().setValue(tempo);
    showingTempo_ = false;
}

void PlaybackController::TakeTempoMark(std::optional<std::int32_t> mark) {
    if (mark && mark != markTaken_) {
        engine_->SetPlaybackTempo(*mark);
        ShowTempo(*mark);
    }
    markTaken_ = mark;
    PassTempo();
}

void PlaybackController::ForgetTempoMark() {
    markTaken_.reset();
    PassTempo();
}

void PlaybackController::PassTempo() {
    compiler_.SetTempo(engine_->State().tempo, markTaken_);
}

void PlaybackController::OfferLatest() {
    if (given_.empty() || !commands_.editWhilePlaying->isChecked()) {
        return;
    }
    const std::shared_ptr<const ChartCompile>& latest = compiler_.Latest();
    const ChartCompile& newest = *given_.back();
    // A change that does not compile leaves the chart playing as it was; the check marks the mistake. A
    // change of the tempo or of the chord definitions alone changes nothing that sounds.
    if (!latest->chart->Accepted() || (latest->text == newest.text && latest->settings == newest.settings)) {
        return;
    }
    if (engine_->Offer(latest->chart)) {
        given_.push_back(latest);
    }
}

void PlaybackController::Stop() {
    if (waiting_) {
        waiting_.reset();
        soundsWait_->stop();
        transport_->PlayButton().SetLatched(false);
        UpdateCommands();
    }
    engine_->OnStop();
}

}  // namespace kaz
