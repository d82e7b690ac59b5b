#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/midi_bytes.h"
#include "base/midi_out_port.h"
#include "base/tempo.h"
#include "base/text_range.h"
#include "base/ticks.h"
#include "language/compile_score.h"
#include "midi/hand_over.h"
#include "midi/note_tracking_port.h"
#include "midi/playback_seams.h"
#include "midi/shifting_port.h"
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
//! 0 keeps the tempo. Beside it, the semitones a loop (of the song or of the measures) moves the music each
//! time round, to practise it in every key: 5 is up a fourth, 0 keeps the key.
struct PracticeTempo {
    std::int32_t step = 0;
    std::int32_t ceiling = kMaxTempo;
    std::int32_t keyStep = 0;
};

//! Everything outside the engine that it drives or tells. All of it must outlive the engine; the calls come
//! on the thread that made the engine.
struct PlaybackSeams {
    PlaybackClock& clock;
    PlaybackTimer& timer;
    MidiOutPortFactory makePort;
    //! After every change of the playback state (playing, paused, stopped, looping), including the stop at
    //! the end of a song, so that whoever shows the commands can follow without polling.
    std::function<void()> stateChanged = [] {};
    //! Soon after the ticks performed it, each highlight of the chart that plays, in order: the symbol at
    //! text of chart sounds from then on.
    std::function<void(const CompiledChart& chart, TextRange text)> sounding = [](const CompiledChart&,
                                                                                  TextRange) {};
    //! A practice loop went round faster: the tempo it plays at now.
    std::function<void(std::int32_t tempo)> tempoRaised = [](std::int32_t) {};
    //! When a loop going round moves the music to another key: the semitones it sounds away from the chart.
    std::function<void(int shift)> keyMoved = [](int) {};
    //! The song played to its end and stopped there, not stopped by the user.
    std::function<void()> songOver = [] {};
    //! The output failed while it played (a recording onto a full disk): why, once the playback has stopped.
    std::function<void(const std::string& failure)> failed = [](const std::string&) {};
};

//! Where a playback stands: the chart that plays, and the place in it, which points into that chart.
struct PlayingPlace {
    std::shared_ptr<const CompiledChart> chart;
    SongPlace place;
};

//! Where the playback stands now; nullopt while nothing plays.
using PlaybackWatch = std::function<std::optional<PlayingPlace>()>;

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
    std::uint64_t chart = 0;    //!< which of the charts given plays: 1 for the first, then each taken over
    std::size_t chartFrom = 0;  //!< the first event of that chart the ticks performed
    bool over = false;          //!< the song is over, or the output failed
};

//! Plays a compiled chart in real time: every timer tick performs, in list order, each event of its
//! performance whose time has come by the clock at the current tempo. While it plays, another compile of the
//! chart may be offered: it takes over at the next measure boundary, at the same measure.
//!
//! The commands and queries belong to the thread that made the engine, the window's; the ticks run on the
//! timer's thread and send the due messages from there. Neither thread ever waits for the other, and the
//! ticks allocate nothing. While the timer runs, the ticks keep where the playback stands; a command makes
//! its change to the window's own expectation at once and passes it to the ticks through a queue, and they
//! make it in turn. A chart offered is prepared on the window's thread and handed over whole. The ticks
//! publish what they have done, which the window's thread reads (State, SongPosition, Playing) and, when the
//! timer hands back to it, reports: the highlights performed, a practice loop's faster tempo, the stop at
//! the end. Only the ticks send to the port while the timer runs.
class PlaybackEngine {
  public:
    explicit PlaybackEngine(PlaybackSeams seams);
    //! The port is reset, closed and destroyed.
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    //! Play chart, which compiled, from the top on the output called deviceName (the first that opens when
    //! none is). Returns why it could not start, in words for the user; empty when it plays. Nothing while a
    //! port is open.
    [[nodiscard]] std::string Play(std::shared_ptr<const CompiledChart> chart, const std::string& deviceName);
    //! Play only measures of chart again and again until Stop, each time round faster by tempo's step.
    [[nodiscard]] std::string PlayMeasures(std::shared_ptr<const CompiledChart> chart,
                                           const std::string& deviceName, MeasureSpan measures,
                                           PracticeTempo tempo);
    //! While it plays: let chart, another compile of the one playing, take over at the next measure
    //! boundary, keeping the place by measure number. A chart offered before it takes over is replaced.
    //! False, and nothing offered, when stopped or when chart lacks the measures a practice loop plays.
    bool Offer(std::shared_ptr<const CompiledChart> chart);
    //! One timer tick, on the timer's thread.
    void OnPlaybackTimer();
    void OnStop();
    void OnPauseResume();
    void OnLoop();
    //! Play a measure of clicks before the music from the next Play on; never when going round again.
    void SetCountIn(bool on) { countIn_ = on; }
    //! Move the music by step semitones more each time a loop goes round, from the next Play on (5: up a
    //! fourth); 0 keeps the key. The drums stay as they are.
    void SetKeyStepEachRound(int step) { keyStep_ = step; }
    //! Play the music shift semitones from where it is written, from the next Play on: the song in the key a
    //! set list gives it. The drums stay as they are; a loop's steps go on from there.
    void SetKeyShift(int shift) { keyShift_ = shift; }
    //! Play at value quarter notes per minute from now on, kMinTempo..kMaxTempo.
    void SetPlaybackTempo(std::int32_t value);

    [[nodiscard]] CommandState QueryCommand(PlaybackCommand command) const;
    [[nodiscard]] bool IsStopped() const { return port_ == nullptr; }
    [[nodiscard]] PlaybackState State() const;
    //! The song position in ticks now, in the chart that plays; 0 when stopped. Below the first measure
    //! played during the count-in.
    [[nodiscard]] double SongPosition() const;
    //! The measures a practice loop plays; nullopt when none is playing.
    [[nodiscard]] std::optional<MeasureSpan> PractisedMeasures() const;
    //! The chart that plays now, as the ticks last reported; nullptr when stopped.
    [[nodiscard]] std::shared_ptr<const CompiledChart> Playing() const;
    //! The time line of the chart that plays now; nullptr when stopped.
    [[nodiscard]] const SongMap* PlayingSong() const;
    //! Where the playback stands now, counting the passes of the loop that plays; nullopt when stopped.
    [[nodiscard]] std::optional<PlayingPlace> Place() const;

  private:
    //! A chart as the ticks play it, prepared on the window's thread.
    struct Performance {
        Performance(std::shared_ptr<const CompiledChart> compiled, std::uint64_t number);

        std::shared_ptr<const CompiledChart> chart;
        SongMap song;
        std::uint64_t number = 0;  //!< 1 for the first chart of a playback, then one more for each
        std::vector<std::size_t> programChanges;  //!< the events that choose an instrument
        std::vector<std::size_t> mixControls;     //!< the control changes that set up the mix at the top
        // The measures of a practice loop in this chart:
        Ticks loopStart = 0;             //!< where the first measure starts
        Ticks loopEnd = 0;               //!< where the last measure ends
        std::size_t loopFirstEvent = 0;  //!< the first event at or after loopStart
        std::size_t loopEndEvent = 0;    //!< the first event at or after loopEnd

        [[nodiscard]] const EventList& Events() const { return chart->performance; }
    };

    //! Prepare chart as the next performance; nullptr when it lacks the practice loop's measures.
    [[nodiscard]] std::unique_ptr<Performance> Prepare(std::shared_ptr<const CompiledChart> chart);
    [[nodiscard]] std::string Start(std::shared_ptr<const CompiledChart> chart,
                                    const std::string& deviceName);
    [[nodiscard]] std::string OpenPort(const std::string& deviceName);
    void StartPlaying();
    void NotifyStateChanged() const;
    //! What the ticks have handed back, reported on the window's thread.
    void OnHandedBack();
    //! Make change now while the timer is stopped; otherwise expect it, and pass it to the ticks.
    void Change(const TimingChange& change);
    //! The ticks' state as published, or the window's expectation while changes are on their way.
    [[nodiscard]] PlaybackState Following() const;
    //! Report the highlights of the events performed since the last report, in order.
    void ReportHighlights(const PlaybackProgress& progress);
    //! The performance the ticks reported last; nullptr when stopped.
    [[nodiscard]] const Performance* Reported() const;
    //! Free the performances the ticks are done with.
    void ForgetPlayed(std::uint64_t playing);

    // The ticks' while the timer runs, the window's thread's while it is stopped:
    //! One measure of clicks in the meter of the first measure played, before its start.
    void StartCountIn(const Measure& first, Ticks start);
    //! Make the changes that have come from the window's thread; true when there were any.
    bool MakeChanges();
    //! The first clock reading at which the next event is due; none when nothing is.
    [[nodiscard]] std::optional<std::int64_t> NextWake() const;
    [[nodiscard]] std::optional<Ticks> NextDueTime() const;
    [[nodiscard]] std::size_t EndEvent() const;
    void RestartFromTheTop();
    void RestartAt(Ticks position, std::size_t index);
    //! Start the practice loop's next round, faster when it should be.
    void GoRoundAgain();
    //! The song or the loop has started again: count the round, and move to its key.
    void CountRound();
    //! Perform the events of list from index up to end that are due reached ticks past the origin; returns
    //! the index of the first event not performed, and sets highlighted when one of them was a highlight.
    std::size_t PerformDueEvents(const EventList& list, std::size_t index, std::size_t end, double reached,
                                 bool& highlighted);
    //! Send the mix of next's top (pan, reverb) where it differs from the playing chart's.
    void TakeOverTheMix(const Performance& next);
    //! Send programChange and remember the instrument it chooses.
    void ChooseInstrument(const MidiEvent& programChange);
    //! Send the instruments and the mix the events before firstEvent leave the parts with, where playing
    //! starts after them.
    void ChooseTheMixBefore(std::size_t firstEvent);
    //! Let the chart offered take over at song position boundary, the start of measure number measure of
    //! the one playing. True when one did.
    bool TakeOver(Ticks boundary, int measure);
    //! When a chart is offered and the performance reaches a measure boundary by reached ticks past the
    //! origin: perform what comes before it, and let the offered chart take over there.
    bool TakeOverAtBoundary(double reached, bool& highlighted);
    void Publish();
    [[nodiscard]] Ticks PositionNow() const;

    PlaybackSeams seams_;
    std::unique_ptr<MidiOutPort> port_;       //!< set exactly while playing or paused
    std::unique_ptr<ShiftingPort> shifting_;  //!< in front of port_: the key the loop has moved to
    std::unique_ptr<NoteTrackingPort>
        output_;  //!< in front of shifting_: what sounds, to release at a change
    bool countIn_ = false;
    int keyStep_ = 0;
    int keyShift_ = 0;
    int playingKeyShift_ = 0;  //!< keyShift_ as it was at Play
    int playingKeyStep_ = 0;   //!< keyStep_ as it was at Play
    EventList clicks_;         //!< the count-in of the playback, before its first measure
    //! The measures of a practice loop and how it speeds up; none while the whole song plays.
    std::optional<MeasureSpan> practiced_;
    PracticeTempo practiceTempo_;

    // The window's thread's:
    //! The charts of this playback not yet done with: the one the ticks play, and any offered after it.
    std::vector<std::unique_ptr<Performance>> performances_;
    std::uint64_t charts_ = 0;       //!< the charts given since Play
    bool ticking_ = false;           //!< the timer runs, and the ticks keep the state
    PlaybackState expected_;         //!< the state once the changes on their way are made
    std::uint64_t changesSent_ = 0;  //!< the changes passed to the ticks since Play
    std::uint64_t shownChart_ = 0;   //!< the chart whose highlights were reported last
    std::size_t shownIndex_ = 0;     //!< the first event performed whose highlight is not reported yet
    std::uint64_t shownRounds_ = 0;  //!< the rounds whose start the highlights have reported
    std::uint64_t shownRaises_ = 0;  //!< the faster rounds whose tempo was reported
    int shownShift_ = 0;             //!< the key move reported last

    // The ticks' while the timer runs, the window's thread's while it is stopped:
    Performance* playing_ = nullptr;
    PlaybackState state_;
    std::size_t nextClick_ = 0;  //!< first click not yet performed
    Ticks reachedTicks_ = 0;     //!< the song position the last tick reached
    std::size_t chartFrom_ = 0;  //!< the first event of the playing chart performed
    std::uint64_t changesMade_ = 0;
    std::uint64_t rounds_ = 0;
    std::uint64_t raises_ = 0;
    bool over_ = false;  //!< the song is over and its stop handed back
    //! The instrument last chosen on each channel; -1 for none.
    std::array<std::int16_t, kMidiChannels> programs_{};

    // Between the two:
    //! Commands come one at a time, each made at the ticks' next wake: a handful are ever on their way.
    static constexpr std::size_t kChangesUnderway = 64;
    HandOverQueue<TimingChange, kChangesUnderway> changes_;
    mutable LatestValue<PlaybackProgress> progress_;
    //! The chart offered to take over, until the ticks take it.
    std::atomic<Performance*> offered_{nullptr};
};

}  // namespace kaz
