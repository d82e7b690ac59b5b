#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

#include "midi/playback_seams.h"

namespace kaz {

//! The playback engine's millisecond clock: a monotonic clock started when the object is made.
class QtPlaybackClock final : public PlaybackClock {
  public:
    QtPlaybackClock() { elapsed_.start(); }
    [[nodiscard]] std::int64_t Milliseconds() const override { return elapsed_.elapsed(); }
    //! The same clock in nanoseconds, for measuring how late a message is sent.
    [[nodiscard]] std::int64_t Nanoseconds() const { return elapsed_.nsecsElapsed(); }

  private:
    QElapsedTimer elapsed_;
};

//! The playback engine's periodic tick on a precise Qt timer of the thread's event loop.
class QtPlaybackTimer final : public PlaybackTimer {
  public:
    QtPlaybackTimer();
    [[nodiscard]] TimerId Start(int periodMs, std::function<void(TimerId)> onTick) override;
    void Stop(TimerId id) override;

  private:
    QTimer timer_;
    std::function<void(TimerId)> onTick_;
    TimerId id_ = 0;
};

}  // namespace kaz
