#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "midi/playback_engine.h"
#include "render/song_map.h"

class QAction;
class QWidget;

namespace kaz {

class ChartEditor;
class TransportBar;
struct Session;

//! The one playback of the window: the engine, the transport bar it drives, and the transport commands,
//! whose enabled and latched states the engine gives. Whoever else follows the playback listens to
//! playingChanged.
class PlaybackController final : public QObject {
    Q_OBJECT

  public:
    struct Commands {
        QAction* play;
        QAction* pause;
        QAction* stop;
        QAction* loop;
        QAction* playOrPause;
        QAction* loopSelectedMeasures;
        QAction* countIn;
    };

    PlaybackController(Session& session, ChartEditor& editor, ErrorPresenter& presenter, QWidget& window);
    //! The device is reset and closed before the editor and the transport bar go.
    ~PlaybackController() override;

    [[nodiscard]] const Commands& Actions() const { return commands_; }
    [[nodiscard]] TransportBar& Transport() const { return *transport_; }
    [[nodiscard]] PlaybackEngine& Engine() const { return *engine_; }
    [[nodiscard]] bool IsStopped() const { return engine_->IsStopped(); }
    //! Where the playback is in song now, counting the passes of the loop that plays; nullopt when stopped.
    [[nodiscard]] std::optional<SongPlace> PlaceIn(const SongMap& song) const;

    //! Compile the editor's text, kept in text, for a command that needs music, at the transport's tempo;
    //! false after the user has been told why it does not compile.
    [[nodiscard]] bool CompileChart(std::string& text);
    //! How Loop selected measures speeds up each time round.
    void SetPracticeTempo(const PracticeTempo& tempo) { practiceTempo_ = tempo; }
    void Stop();

  signals:
    //! After every change of the playback's state (playing, paused, stopped, looping).
    void playingChanged(bool playing);
    //! The tempo field's text changed.
    void tempoChanged();

  private:
    void CreateCommands(QWidget& window);
    void UpdateCommands();

    Session& session_;
    ChartEditor& editor_;
    Commands commands_{};
    TransportBar* transport_;
    PracticeTempo practiceTempo_;
    std::unique_ptr<PlaybackEngine> engine_;
};

}  // namespace kaz
