#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/editor.h"
#include "base/error_presenter.h"
#include "base/midi_out_port.h"
#include "base/tempo.h"
#include "base/ticks.h"
#include "language/compile_score.h"
#include "midi/hand_over.h"
#include "midi/note_tracking_port.h"
#include "midi/playback_seams.h"
#include "render/song_map.h"

namespace kaz {

inline constexpr std::string_view kCannotOpenMidiDevice = "Cannot open MIDI device!";
inline constexpr int kPlaybackTimerPeriodMs = 2;

//! Where the one playback of the program stands, as its timing sees it.
struct PlaybackState {
    bool paused = false;
    bool looping = false;
    std::int32_t tempo = kDefaultTempo;  //!< quarter notes per minute, kMinTempo..kMaxTempo
    double ticksPerMs = 0.0;             //!< TicksPerMs(tempo)
    std::size_t nextIndex = 0;           //!< first event not yet performed
    Ticks baseTicks = 0;                 //!< song position at the time origin
    std::int64_t clockOrigin = 0;        //!< clock reading of the time origin
};

//! Commands whose enabled and checked states follow the playback.
enum class PlaybackCommand {
    Play,
    PauseResume,
    Stop,
    Loop,
    ExportMidi,
    Transpose,
    Edit,
    LoopSelectedMeasures
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
    friend bool operator==(const CommandState&, const CommandState&) = default;
};

//! How a practice loop speeds up: by step quarter notes per minute each time round, up to ceiling; a step of
//! 0 keeps the tempo.
struct PracticeTempo {
    std::int32_t step = 0;
    std::int32_t ceiling = kMaxTempo;
};

//! The compile that Play runs; CompileScore unless a test supplies its own.
using ChartCompiler = std::function<bool(CompileState&, std::string_view, Editor&, ErrorPresenter&)>;

//! Everything outside the engine that it drives. All of it must outlive the engine.
struct PlaybackSeams {
    Editor& view;
    ErrorPresenter& presenter;
    TransportControls& transport;
    PlaybackClock& clock;
    PlaybackTimer& timer;
    MidiOutPortFactory makePort;
    ChartCompiler compile = CompileScore;
    //! Called after every change of the playback state (playing, paused, stopped, looping), including the
    //! stop at the end of a song, so that whoever shows the commands can follow without polling.
    std::function<void()> stateChanged = [] {};
};

//! A change that a command makes to where the playback stands, while the ticks run.
struct TimingChange {
    enum class Kind : std::uint8_t { Pause, Resume, Tempo, Loop };
    Kind kind = Kind::Pause;
    std::int64_t at = 0;     //!< the clock reading when the command came
    std::int32_t value = 0;  //!< the tempo; for Loop, 1 to loop and 0 not to
};

//! What the ticks have done, as they last published it.
struct PlaybackProgress {
    PlaybackState state;
    std::uint64_t changesMade = 0;  //!< the TimingChanges made so far, in the order they came
    std::uint64_t rounds = 0;       //!< how often the song or the practice loop started again
    std::uint64_t raises = 0;       //!< how often the practice loop went round faster
    bool over = false;              //!< the song is over, or the output failed
};

//! Plays the compiled chart in real time: every timer tick performs, in list order, each event whose time
//! has come by the clock at the current tempo.
//!
//! The commands and queries belong to the thread that made the engine, the window's; the ticks run on the
//! timer's thread and send the due messages from there. Neither thread ever waits for the other, and the
//! ticks allocate nothing. While the timer runs, the ticks keep where the playback stands; a command makes
//! its change to the window's own expectation at once and passes it to the ticks through a queue, and they
//! make it in turn. The ticks publish what they have done, which the window's thread reads (State,
//! SongPosition) and, when the timer hands back to it, shows: the highlights of the events performed, a
//! practice loop's faster tempo, the stop at the end. The port, the events, the count-in and the practice
//! loop are set up while the timer is stopped and do not change while it runs, when only the ticks send to
//! the port.
class PlaybackEngine {
  public:
    PlaybackEngine(CompileState& compile, PlaybackSeams seams);
    //! The view is going away: the port is reset, closed and destroyed, and the score cleared.
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    //! Compile chartText, open the chosen device and start playing; nothing while a port is open.
    void OnPlay(std::string_view chartText);
    //! Compile chartText for a command that needs the music but does not play it (an export, a
    //! transposition), at the transport's tempo; false after the user has been told why.
    [[nodiscard]] bool CompileForCommand(std::string_view chartText) { return Compile(chartText); }
    //! One timer tick, on the timer's thread.
    void OnPlaybackTimer();
    void OnStop();
    void OnPauseResume();
    void OnLoop();
    //! Compile chartText and play only the measures that the editor's selection touches, again and again
    //! until Stop, each time round faster by tempo's step; nothing while a port is open.
    void OnLoopSelectedMeasures(std::string_view chartText, PracticeTempo tempo);
    //! Play a measure of clicks before the music from the next Play on; never when going round again.
    void SetCountIn(bool on) { countIn_ = on; }
    //! Let the tempo the user chose hold over the chart's tempo mark once the mark has been taken, until the
    //! mark itself changes (the window); otherwise every Play takes the mark (kaz-cli).
    void HoldUserTempo(bool hold) { holdUserTempo_ = hold; }
    //! The chart's tempo mark as it reads now (none without one): a mark not taken yet becomes the tempo.
    void TakeTempoMark(std::optional<std::int32_t> mark);
    //! Another chart is shown: its mark is taken when it is first read.
    void ForgetTempoMark() { markTaken_.reset(); }
    //! The chart's mark that the tempo was last set from.
    [[nodiscard]] std::optional<std::int32_t> TempoMarkTaken() const { return markTaken_; }
    void SetPlaybackTempo(std::int32_t value);
    //! The tempo field's text changed.
    void OnTempoChange();
    //! The tempo field lost the focus.
    void OnTempoKillFocus();

    [[nodiscard]] CommandState QueryCommand(PlaybackCommand command) const;
    [[nodiscard]] bool IsStopped() const { return port_ == nullptr; }
    [[nodiscard]] PlaybackState State() const;
    //! The song position in ticks now; 0 when stopped. Below the first measure played during the count-in.
    [[nodiscard]] double SongPosition() const;
    //! The measures a practice loop plays; nullopt when none is playing.
    [[nodiscard]] std::optional<MeasureSpan> PractisedMeasures() const;

  private:
    //! The measures of a practice loop, their events and the notes sounding in them.
    struct Practice {
        // Declared here and defaulted in the source file: clang takes a nested class with member
        // initializers for not default-constructible inside its enclosing class, which std::optional needs.
        Practice();

        MeasureSpan measures;
        Ticks start = 0;             //!< where the first measure starts
        Ticks end = 0;               //!< where the last measure ends
        std::size_t firstEvent = 0;  //!< the first event at or after start
        std::size_t endEvent = 0;    //!< the first event at or after end
        PracticeTempo tempo;
        std::unique_ptr<NoteTrackingPort> port;
    };

    [[nodiscard]] bool Compile(std::string_view chartText);
    [[nodiscard]] bool OpenPort();
    void StartPlaying();
    void NotifyStateChanged() const;
    //! Write value into the tempo field without taking the field's change for the user's.
    void ShowTempo(std::int32_t value);
    //! What the ticks have handed back, shown on the window's thread.
    void OnHandedBack();
    //! Make change now while the timer is stopped; otherwise expect it, and pass it to the ticks.
    void Change(const TimingChange& change);
    //! The ticks' state as published, or the window's expectation while changes are on their way.
    [[nodiscard]] PlaybackState Following() const;
    //! Show the highlights of the events performed since the last showing, in order.
    void ShowHighlights(const PlaybackProgress& progress);

    // The ticks' while the timer runs, the window's thread's while it is stopped:
    //! One measure of clicks in the meter of the first measure played, before its start.
    void StartCountIn(const Measure& first, Ticks start);
    //! Make the changes that have come from the window's thread; true when there were any.
    bool MakeChanges();
    //! The first clock reading at which the next event is due; none when nothing is.
    [[nodiscard]] std::optional<std::int64_t> NextWake() const;
    [[nodiscard]] std::optional<Ticks> NextDueTime() const;
    void RestartFromTheTop();
    void RestartAt(Ticks position, std::size_t index);
    //! Start the practice loop's next round, faster when it should be.
    void GoRoundAgain();
    //! Perform the events of list from index up to end that are due reached ticks past the origin; returns
    //! the index of the first event not performed, and sets highlighted when one of them was a highlight.
    std::size_t PerformDueEvents(const EventList& list, std::size_t index, std::size_t end, double reached,
                                 bool& highlighted);
    void Publish();
    [[nodiscard]] MidiOutPort& Output() const;
    [[nodiscard]] Ticks PositionNow() const;

    CompileState& compile_;
    PlaybackSeams seams_;
    std::unique_ptr<MidiOutPort> port_;  //!< set exactly while playing or paused
    TextRange savedSelection_;           //!< the editor's selection when Play started
    bool countIn_ = false;
    bool holdUserTempo_ = false;
    std::optional<std::int32_t> markTaken_;
    bool showingTempo_ = false;  //!< the engine itself is writing the tempo field
    EventList clicks_;           //!< the count-in of the playback, before its first measure
    std::optional<Practice> practice_;

    // The window's thread's:
    bool ticking_ = false;           //!< the timer runs, and the ticks keep the state
    PlaybackState expected_;         //!< the state once the changes on their way are made
    std::uint64_t changesSent_ = 0;  //!< the changes passed to the ticks since Play
    std::size_t shownIndex_ = 0;     //!< the first event performed whose highlight is not shown yet
    std::uint64_t shownRounds_ = 0;  //!< the rounds whose start the highlights have shown
    std::uint64_t shownRaises_ = 0;  //!< the faster rounds whose tempo the field has shown

    // The ticks' while the timer runs, the window's thread's while it is stopped:
    PlaybackState state_;
    std::size_t nextClick_ = 0;  //!< first click not yet performed
    std::uint64_t changesMade_ = 0;
    std::uint64_t rounds_ = 0;
    std::uint64_t raises_ = 0;
    bool over_ = false;  //!< the song is over and its stop handed back
    NoEditor unseen_;    //!< the ticks select nothing: the window's thread shows the highlights

    // Between the two:
    //! Commands come one at a time, each made at the ticks' next wake: a handful are ever on their way.
    static constexpr std::size_t kChangesUnderway = 64;
    HandOverQueue<TimingChange, kChangesUnderway> changes_;
    mutable LatestValue<PlaybackProgress> progress_;
};

//! The tempo field's text read as "%d" reads it: leading blanks, a sign, digits; 0 when there is no number.
[[nodiscard]] std::int64_t ParseTempoText(std::string_view text);

}  // namespace kaz
