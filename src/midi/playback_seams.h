#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/midi_out_port.h"

namespace kaz {

//! A millisecond clock. Only differences between its readings matter.
class PlaybackClock {
  public:
    virtual ~PlaybackClock() = default;
    [[nodiscard]] virtual std::int64_t Milliseconds() const = 0;
};

using TimerId = std::uint32_t;

//! The periodic callback that drives playback.
class PlaybackTimer {
  public:
    virtual ~PlaybackTimer() = default;
    //! Start calling onTick with the timer's id about every periodMs milliseconds; returns the id, never 0.
    [[nodiscard]] virtual TimerId Start(int periodMs, std::function<void(TimerId)> onTick) = 0;
    //! Besides the periodic ticks, tick once as soon as the clock reads clockMs (at once when it already
    //! does), replacing the previous such request. The periodic ticks alone would leave every event up to
    //! a period late.
    virtual void WakeAt(std::int64_t clockMs) = 0;
    virtual void Stop(TimerId id) = 0;
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
