#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/editor.h"
#include "base/error_presenter.h"
#include "base/midi_out_port.h"
#include "base/ticks.h"
#include "language/compile_score.h"
#include "midi/playback_seams.h"

namespace kaz {

inline constexpr std::string_view kCannotOpenMidiDevice = "Cannot open MIDI device!";
inline constexpr int kPlaybackTimerPeriodMs = 2;

//! The state of the one playback of the program.
struct PlaybackState {
    std::unique_ptr<MidiOutPort> port;  //!< set exactly while playing or paused
    bool paused = false;
    bool looping = false;
    std::int32_t tempo = kDefaultTempo;  //!< quarter notes per minute, kMinTempo..kMaxTempo
    double ticksPerMs = 0.0;             //!< tempo × 8.0 × 0.001
    std::size_t nextIndex = 0;           //!< first event not yet performed
    Ticks baseTicks = 0;                 //!< song position at the time origin
    std::int64_t clockOrigin = 0;        //!< clock reading of the time origin
    TextRange savedSelection;            //!< the editor's selection when Play started
    TimerId timerId = 0;                 //!< 0 when no timer runs
};

//! Commands whose enabled and checked states follow the playback.
enum class PlaybackCommand { Play, PauseResume, Stop, Loop, PlayOrPause, ExportMidi, Transpose, Edit };

struct CommandState {
    bool enabled = false;
    bool checked = false;
    friend bool operator==(const CommandState&, const CommandState&) = default;
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

//! Plays the compiled chart in real time: every timer tick performs, in list order, each event whose time
//! has come by the clock at the current tempo.
class PlaybackEngine {
  public:
    PlaybackEngine(CompileState& compile, PlaybackSeams seams);
    //! The view is going away: the port is reset, closed and destroyed, and the score cleared.
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    //! Compile chartText, open the chosen device and start playing; nothing while a port is open.
    void OnPlay(std::string_view chartText);
    //! One timer tick; false when id is not the playback timer's (the caller handles it).
    bool OnPlaybackTimer(TimerId id);
    void OnStop();
    void OnPauseResume();
    void OnLoop();
    //! Pause or resume while a port is open, else play.
    void OnPlayOrPause(std::string_view chartText);
    void SetPlaybackTempo(std::int32_t value);
    //! The tempo field's text changed.
    void OnTempoChange();
    //! The tempo field lost the focus.
    void OnTempoKillFocus();

    [[nodiscard]] CommandState QueryCommand(PlaybackCommand command) const;
    [[nodiscard]] bool IsStopped() const { return state_.port == nullptr; }
    [[nodiscard]] const PlaybackState& State() const { return state_; }
    //! The song position in ticks now; 0 when stopped.
    [[nodiscard]] double SongPosition() const;

  private:
    void StartPlaying();
    void NotifyStateChanged() const;
    //! Ask the timer for a tick at the first clock reading at which the next event is due.
    void WakeForNextEvent();
    void RestartFromTheTop();
    [[nodiscard]] Ticks PositionNow() const;

    CompileState& compile_;
    PlaybackSeams seams_;
    PlaybackState state_;
};

//! The tempo field's text read as "%d" reads it: leading blanks, a sign, digits; 0 when there is no number.
[[nodiscard]] std::int64_t ParseTempoText(std::string_view text);

}  // namespace kaz
