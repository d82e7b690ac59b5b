#include "app/playback/playback_controller.h"

#include <QAction>

#include "app/editor/chart_editor.h"
#include "app/playback/transport_bar.h"
#include "app/playback/transport_button.h"
#include "app/session.h"
#include "app/window_command.h"

namespace kaz {

PlaybackController::PlaybackController(Session& session, ChartEditor& editor, ErrorPresenter& presenter,
                                       QWidget& window)
    : QObject(&window), session_(session), editor_(editor) {
    CreateCommands(window);
    transport_ = new TransportBar(
        session_.devices,
        {commands_.play, commands_.pause, commands_.stop, commands_.loop, commands_.loopSelectedMeasures},
        &window);
    engine_ = std::make_unique<PlaybackEngine>(
        session_.compile, PlaybackSeams{editor_, presenter, *transport_, session_.clock, session_.timer,
                                        session_.makePort, CompileScore, [this] {
                                            UpdateCommands();
                                            emit playingChanged(!IsStopped());
                                        }});
    // The tempo the user chooses holds over the chart's tempo mark until the mark itself changes.
    engine_->HoldUserTempo(true);
    connect(transport_, &TransportBar::tempoTextChanged, this, [this] {
        engine_->OnTempoChange();
        emit tempoChanged();
    });
    connect(transport_, &TransportBar::tempoFocusLost, this, [this] { engine_->OnTempoKillFocus(); });
    UpdateCommands();
}

PlaybackController::~PlaybackController() {
    engine_.reset();
}

void PlaybackController::CreateCommands(QWidget& window) {
    Commands& c = commands_;
    c.play = AddWindowCommand(window, tr("Play"), tr("Play"), {});
    connect(c.play, &QAction::triggered, this, [this] { engine_->OnPlay(editor_.BeginCompile()); });
    c.pause = AddWindowCommand(window, tr("Pause/Resume"), tr("Pause/Resume"), {QKeySequence(Qt::Key_Pause)});
    connect(c.pause, &QAction::triggered, this, [this] { engine_->OnPauseResume(); });
    c.stop = AddWindowCommand(window, tr("Stop"), tr("Stop"), {QKeySequence(Qt::Key_Escape)});
    connect(c.stop, &QAction::triggered, this, [this] { engine_->OnStop(); });
    c.loop = AddWindowCommand(window, tr("Loop"), tr("Loop playback"), {});
    connect(c.loop, &QAction::triggered, this, [this] { engine_->OnLoop(); });
    c.playOrPause = AddWindowCommand(window, tr("Play/Pause"), tr("Play, or pause and resume"),
                                     {QKeySequence(Qt::CTRL | Qt::Key_Space)});
    connect(c.playOrPause, &QAction::triggered, this,
            [this] { IsStopped() ? engine_->OnPlay(editor_.BeginCompile()) : engine_->OnPauseResume(); });
    c.loopSelectedMeasures =
        AddWindowCommand(window, tr("&Loop selected measures"),
                         tr("Play the measures the selection touches again and again, until Stop"),
                         {QKeySequence(Qt::CTRL | Qt::Key_L)});
    connect(c.loopSelectedMeasures, &QAction::triggered, this,
            [this] { engine_->OnLoopSelectedMeasures(editor_.BeginCompile(), practiceTempo_); });
    c.countIn = AddWindowCommand(window, tr("&Count-in"),
                                 tr("Play one measure of clicks before the music starts"), {});
    c.countIn->setCheckable(true);
    connect(c.countIn, &QAction::toggled, this, [this](bool on) { engine_->SetCountIn(on); });
}

void PlaybackController::UpdateCommands() {
    const auto state = [this](PlaybackCommand command) { return engine_->QueryCommand(command); };
    commands_.play->setEnabled(state(PlaybackCommand::Play).enabled);
    commands_.pause->setEnabled(state(PlaybackCommand::PauseResume).enabled);
    commands_.stop->setEnabled(state(PlaybackCommand::Stop).enabled);
    const CommandState practice = state(PlaybackCommand::LoopSelectedMeasures);
    commands_.loopSelectedMeasures->setEnabled(practice.enabled);
    transport_->LoopSelectedMeasuresButton().SetLatched(practice.checked);
}

std::optional<SongPlace> PlaybackController::PlaceIn(const SongMap& song) const {
    if (IsStopped()) {
        return std::nullopt;
    }
    std::optional<MeasureSpan> loop = engine_->PractisedMeasures();
    if (!loop && engine_->State().looping) {
        loop = MeasureSpan{1, song.MeasureCount()};
    }
    return song.PlaceAt(engine_->SongPosition(), loop);
}

bool PlaybackController::CompileChart(std::string& text) {
    text = editor_.BeginCompile();
    return engine_->CompileForCommand(text);
}

void PlaybackController::Stop() {
    engine_->OnStop();
}

}  // namespace kaz
