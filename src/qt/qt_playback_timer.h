#pragma once

#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "midi/playback_seams.h"

class QSocketNotifier;

namespace kaz {

//! The playback engine's millisecond clock: the monotonic clock, counted from when the object was made.
class QtPlaybackClock final : public PlaybackClock {
  public:
    using Clock = std::chrono::steady_clock;

    [[nodiscard]] std::int64_t Milliseconds() const override;
    //! The same clock in nanoseconds, for measuring how late a message is sent.
    [[nodiscard]] std::int64_t Nanoseconds() const;
    //! The monotonic time at which the clock reads clockMs.
    [[nodiscard]] Clock::time_point TimeAt(std::int64_t clockMs) const;

  private:
    Clock::time_point start_ = Clock::now();
};

//! The playback engine's periodic tick on a precise Qt timer of the thread's event loop, and the one-off
//! tick at the moment the next event falls due. On Linux that moment is kept by a timer descriptor to a
//! fraction of a millisecond; elsewhere by a precise Qt timer, to the millisecond.
class QtPlaybackTimer final : public PlaybackTimer {
  public:
    explicit QtPlaybackTimer(const QtPlaybackClock& clock);
    ~QtPlaybackTimer() override;
    QtPlaybackTimer(const QtPlaybackTimer&) = delete;
    QtPlaybackTimer& operator=(const QtPlaybackTimer&) = delete;

    [[nodiscard]] TimerId Start(int periodMs, std::function<void(TimerId)> onTick) override;
    void Stop(TimerId id) override;
    void WakeAt(std::int64_t clockMs) override;

  private:
    void Tick();

    const QtPlaybackClock& clock_;
    QTimer periodic_;
    QTimer alarm_;
    int alarmDescriptor_ = -1;
    std::unique_ptr<QSocketNotifier> alarmNotifier_;
    std::function<void(TimerId)> onTick_;
    TimerId id_ = 0;
};

}  // namespace kaz
