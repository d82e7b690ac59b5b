#include "app/playback/player_features.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>

#include "app/playback/follow_view.h"
#include "app/playback/mixer_panel.h"
#include "app/playback/playback_controller.h"
#include "app/window_command.h"

namespace kaz {

PlayerFeatures::PlayerFeatures(QMainWindow& window, PlaybackController& playback)
    : QObject(&window), window_(window), playback_(playback) {
    followView_ = new FollowView([&playback] { return playback.Now(); }, &window);
    followDock_ = new QDockWidget(tr("Follow view"), &window);
    followDock_->setObjectName(QStringLiteral("followView"));
    followDock_->setWidget(followView_);
    window.addDockWidget(Qt::RightDockWidgetArea, followDock_);
    followDock_->hide();

    followViewAction_ = followDock_->toggleViewAction();
    followViewAction_->setText(tr("&Follow view"));
    followViewAction_->setStatusTip(
        tr("Show the sounding chord, the next one, the measure and the beat in large type"));
    // Toggled when the view is shown or closed, not when the window closes with it.
    connect(followViewAction_, &QAction::toggled, this, [](bool shown) { SaveFollowView(shown); });
    connect(playback_.Actions().countIn, &QAction::toggled, this, [](bool on) { SaveCountIn(on); });
    connect(playback_.Actions().editWhilePlaying, &QAction::toggled, this,
            [](bool on) { SaveEditWhilePlaying(on); });
    practiceLoop_ =
        AddWindowCommand(window, tr("&Practice loop..."),
                         tr("Choose how much faster Loop selected measures plays each time round"));

    tempoNote_ = new QLabel(&window);
    tempoNote_->setObjectName(QStringLiteral("tempoNote"));
    tempoNote_->hide();
    connect(&playback_, &PlaybackController::tempoChanged, this, &PlayerFeatures::UpdateTempoNote);
}

void PlayerFeatures::CreateMixer(ChartEditor& editor, const RenderSettings& settings) {
    mixer_ = new MixerPanel(editor, settings, &window_);
    auto* dock = new QDockWidget(tr("Mixer"), &window_);
    dock->setObjectName(QStringLiteral("mixer"));
    dock->setWidget(mixer_);
    window_.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    mixerAction_ = dock->toggleViewAction();
    mixerAction_->setText(tr("&Mixer"));
    mixerAction_->setStatusTip(
        tr("Set the volume and place of each part of the band, mute, solo or leave "
           "your own instrument out"));
    connect(mixerAction_, &QAction::toggled, mixer_, [this](bool shown) {
        if (shown) {
            mixer_->ReadChart();
        }
    });
}

void PlayerFeatures::ApplyPracticeTempo() {
    playback_.SetPracticeTempo(settings_.practiceTempo);
}

void PlayerFeatures::RestoreSettings() {
    settings_ = LoadPlayerSettings();
    ApplyPracticeTempo();
    followDock_->setVisible(settings_.followView);
    playback_.Actions().countIn->setChecked(settings_.countIn);
    playback_.Actions().editWhilePlaying->setChecked(settings_.editWhilePlaying);
}

void PlayerFeatures::UpdateTempoNote() {
    const std::optional<std::int32_t> mark = playback_.TempoMarkTaken();
    const std::int32_t tempo = playback_.Engine().State().tempo;
    const bool differs = mark && *mark != tempo;
    tempoNote_->setText(differs ? tr("Tempo %1, the chart says %2").arg(tempo).arg(*mark) : QString());
    tempoNote_->setVisible(differs);
}

}  // namespace kaz
