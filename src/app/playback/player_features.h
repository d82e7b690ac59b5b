#pragma once

#include <QObject>

#include "app/player_settings.h"
#include "render/arrangement_renderer.h"

class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;

namespace kaz {

class ChartEditor;
class FollowView;
class MixerPanel;
class PlaybackController;

//! The player's features around the playback: the follow view in a panel of the window with its View
//! command, the count-in, Edit while playing and the practice loop kept between runs, and the note for the
//! status bar when the tempo that plays is not the chart's.
class PlayerFeatures final : public QObject {
    Q_OBJECT

  public:
    PlayerFeatures(QMainWindow& window, PlaybackController& playback);

    [[nodiscard]] FollowView& Follow() const { return *followView_; }
    [[nodiscard]] QAction* FollowViewAction() const { return followViewAction_; }
    [[nodiscard]] QAction* PracticeLoopAction() const { return practiceLoop_; }
    //! Put the mixer in a panel of the window, working on the chart in editor with what settings give each
    //! part; View > Mixer shows it.
    void CreateMixer(ChartEditor& editor, const RenderSettings& settings);
    [[nodiscard]] QAction* MixerAction() const { return mixerAction_; }
    //! How much faster Loop selected measures plays each time round; edited in place, then Apply it.
    [[nodiscard]] PracticeTempo& Practice() { return settings_.practiceTempo; }
    void ApplyPracticeTempo();
    //! Show the follow view and set the count-in and Edit while playing as they were last time; after the
    //! window's layout, which would otherwise have its own say on the panel.
    void RestoreSettings();
    //! The status bar's pane that says when the tempo played differs from the chart's tempo mark.
    [[nodiscard]] QLabel* TempoNote() const { return tempoNote_; }
    void UpdateTempoNote();

  private:
    QMainWindow& window_;
    PlaybackController& playback_;
    FollowView* followView_;
    MixerPanel* mixer_ = nullptr;
    QAction* mixerAction_ = nullptr;
    QDockWidget* followDock_;
    QAction* followViewAction_;
    QAction* practiceLoop_;
    QLabel* tempoNote_;
    PlayerSettings settings_;
};

}  // namespace kaz
