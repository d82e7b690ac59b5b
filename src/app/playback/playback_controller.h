#pragma once

#include <QObject>
#include <QTextCursor>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "midi/playback_engine.h"

class QAction;
class QTimer;
class QWidget;

namespace kaz {

class ChartCompiler;
class ChartEditor;
class TransportBar;
class UserPrompts;
struct ChartCompile;
struct Session;

//! The one playback of the window: the engine, the transport bar it is driven from, and the transport
//! commands, whose enabled and latched states follow the engine. It plays the compiles of the editor's chart,
//! selects the chord that sounds, owns the tempo box and tells the user what went wrong. With Edit while
//! playing on, the chart stays open to changes while it plays, and each change that compiles is heard from
//! the next measure on. Whoever else follows the playback listens to playingChanged.
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
        QAction* editWhilePlaying;
    };

    PlaybackController(Session& session, ChartEditor& editor, ChartCompiler& compiler, UserPrompts& prompts,
                       QWidget& window);
    //! The device is reset and closed before the editor and the transport bar go.
    ~PlaybackController() override;

    [[nodiscard]] const Commands& Actions() const { return commands_; }
    [[nodiscard]] TransportBar& Transport() const { return *transport_; }
    [[nodiscard]] PlaybackEngine& Engine() const { return *engine_; }
    [[nodiscard]] bool IsStopped() const { return engine_->IsStopped(); }
    //! Where the playback stands now; nullopt when stopped.
    [[nodiscard]] std::optional<PlayingPlace> Now() const { return engine_->Place(); }
    //! Whether the chart's text may change now: while stopped, and while it plays with Edit while playing on.
    [[nodiscard]] bool TextEditable() const;

    //! The compile of the chart as it is now, for a command that needs the music; nullptr after the user has
    //! been told why when it does not compile. The chord definitions it made are known from then on.
    [[nodiscard]] std::shared_ptr<const ChartCompile> CompileForCommand();
    //! How Loop selected measures speeds up each time round, and how both loops move the key.
    void SetPracticeTempo(const PracticeTempo& tempo);
    void Stop();

    //! The chart's tempo mark as it reads now (none without one): a mark not taken yet becomes the tempo,
    //! which then holds, whatever the user chooses, until the mark itself changes.
    void TakeTempoMark(std::optional<std::int32_t> mark);
    //! Another chart is shown: its mark is taken when it is first read.
    void ForgetTempoMark();
    //! The chart's mark that the tempo was last set from.
    [[nodiscard]] std::optional<std::int32_t> TempoMarkTaken() const { return markTaken_; }

  signals:
    //! After every change of the playback's state (playing, paused, stopped, looping).
    void playingChanged(bool playing);
    //! Whether the text may change while it plays was switched.
    void editingChanged();
    //! The tempo changed, chosen in the box or by the playback.
    void tempoChanged();
    //! Words for the status bar: a loop going round moved the music to another key.
    void notice(const QString& text);
    //! The song played to its end, once its stop is over: whoever listens may play again.
    void songEnded();

  private:
    void CreateCommands(QWidget& window);
    void UpdateCommands();
    void OnPlay();
    void OnLoopSelectedMeasures();
    //! Play compile, only measures when given; or tell the user why it cannot. While the built-in
    //! synthesizer's sounds still load, the Play waits for them with the window alive.
    void PlayCompile(const std::shared_ptr<const ChartCompile>& compile, std::optional<MeasureSpan> measures);
    //! Whether the port a Play on device opens now is there at once.
    [[nodiscard]] bool PortReady(const std::string& device) const;
    //! Play the waiting compile once the sounds have loaded.
    void PlayWhenReady();
    //! Tell the user why compile cannot play: select the error's text and say what is wrong. True when it
    //! can.
    bool AcceptCompile(const ChartCompile& compile);
    void OnStateChanged();
    //! Show text of chart as the chord that sounds.
    void ShowSounding(const CompiledChart& chart, TextRange text);
    void OnTempoChosen(int tempo);
    //! Show tempo in the box without taking it for the user's choice.
    void ShowTempo(std::int32_t tempo);
    //! Say which key the music sounds in now that a loop moved it shift semitones from the chart.
    void ShowKeyMoved(int shift);
    //! Tell the compiles the tempo the performance starts with.
    void PassTempo();
    //! A compile came: while the chart plays and takes changes, a changed chart that compiles takes over.
    void OfferLatest();

    Session& session_;
    ChartEditor& editor_;
    ChartCompiler& compiler_;
    UserPrompts& prompts_;
    Commands commands_{};
    TransportBar* transport_;
    PracticeTempo practiceTempo_;
    std::optional<std::int32_t> markTaken_;
    bool showingTempo_ = false;  //!< the playback itself is writing the tempo box
    bool playing_ = false;
    QTextCursor savedSelection_;  //!< the editor's selection when Play started
    //! The compiles given to the engine since Play, oldest first: the one it plays and those offered after.
    std::vector<std::shared_ptr<const ChartCompile>> given_;
    std::unique_ptr<PlaybackEngine> engine_;
    //! A Play waiting for the sounds to load, looked at by soundsWait_ until they have.
    struct WaitingPlay {
        std::shared_ptr<const ChartCompile> compile;
        std::optional<MeasureSpan> measures;
    };
    std::optional<WaitingPlay> waiting_;
    QTimer* soundsWait_;
};

}  // namespace kaz
