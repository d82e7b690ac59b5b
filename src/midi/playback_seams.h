#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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

//! The transport buttons that the playback draws pressed while their state holds.
enum class TransportLatch { Play, Pause, Loop };

//! The transport bar as the playback engine drives it.
class TransportControls {
  public:
    virtual ~TransportControls() = default;
    //! Draw the button pressed (latched) or raised, and repaint it.
    virtual void SetLatch(TransportLatch button, bool latched) = 0;
    [[nodiscard]] virtual std::string TempoText() const = 0;
    //! Replace the tempo field's text; a field raises its change notification as for typing.
    virtual void SetTempoText(const std::string& text) = 0;
    virtual void SetTempoReadOnly(bool readOnly) = 0;
    //! The text of the device list's selected item; empty when nothing is selected.
    [[nodiscard]] virtual std::string SelectedDeviceName() const = 0;
    virtual void SetDeviceListEnabled(bool enabled) = 0;
};

//! Makes the port that Play opens; every Play gets a fresh one.
using MidiOutPortFactory = std::function<std::unique_ptr<MidiOutPort>()>;

}  // namespace kaz
