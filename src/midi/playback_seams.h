#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/midi_out_port.h"

namespace kaz {

//! A millisecond clock, read from the timer's thread and the window's alike. Only differences between its
//! readings matter.
class PlaybackClock {
  public:
    virtual ~PlaybackClock() = default;
    [[nodiscard]] virtual std::int64_t Milliseconds() const = 0;
};

//! The ticks that drive playback, a periodic one and a one-off one when the next event falls due, on a thread
//! of the timer's own so that the sends never wait behind the window's work; and a signal from a tick back
//! to the thread that started the timer, for whatever belongs to the window.
class PlaybackTimer {
  public:
    virtual ~PlaybackTimer() = default;
    //! Start calling onTick about every periodMs milliseconds until Stop; and onHandedBack on the starting
    //! thread soon after a tick hands back.
    virtual void Start(int periodMs, std::function<void()> onTick, std::function<void()> onHandedBack) = 0;
    //! Besides the periodic ticks, tick once as soon as the clock reads clockMs (at once when it already
    //! does), replacing the previous such request. The periodic ticks alone would leave every event up to
    //! a period late. Called from the ticks and from the starting thread alike.
    virtual void WakeAt(std::int64_t clockMs) = 0;
    //! From the starting thread: once it returns no tick runs, none will, and onHandedBack does not run
    //! again until the next Start.
    virtual void Stop() = 0;
    //! From a tick: have onHandedBack run on the starting thread, once for however many hand-backs come
    //! before it runs. Never waits for that thread and allocates nothing.
    virtual void HandBack() = 0;
};

//! Makes the port that Play opens; every Play gets a fresh one.
using MidiOutPortFactory = std::function<std::unique_ptr<MidiOutPort>()>;

}  // namespace kaz
