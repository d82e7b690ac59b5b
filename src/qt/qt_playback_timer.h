#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "midi/playback_seams.h"

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

//! The playback engine's ticks on a thread of their own, kept by the monotonic clock to a fraction of a
//! millisecond whatever the window is doing. A hand-back wakes the Qt event loop of the thread that made the
//! timer without waiting for that thread or allocating.
class QtPlaybackTimer final : public PlaybackTimer {
  public:
    explicit QtPlaybackTimer(const QtPlaybackClock& clock);
    ~QtPlaybackTimer() override;
    QtPlaybackTimer(const QtPlaybackTimer&) = delete;
    QtPlaybackTimer& operator=(const QtPlaybackTimer&) = delete;

    void Start(int periodMs, std::function<void()> onTick, std::function<void()> onHandedBack) override;
    void WakeAt(std::int64_t clockMs) override;
    void Stop() override;
    void HandBack() override;

  private:
    using Clock = QtPlaybackClock::Clock;
    class HandBackSignal;

    //! The ticking thread: a tick at every period and at the alarm, until Stop.
    void Tick(std::chrono::milliseconds period, const std::function<void()>& onTick);
    void RunHandedBack();

    const QtPlaybackClock& clock_;
    std::thread ticking_;

    std::mutex mutex_;  //!< guards running_, alarm_ and alarmMoved_
    std::condition_variable changed_;
    bool running_ = false;
    std::optional<Clock::time_point> alarm_;
    bool alarmMoved_ = false;

    std::function<void()> onHandedBack_;
    //! Made at the first Start: a program that never plays needs none.
    std::unique_ptr<HandBackSignal> handBack_;
};

}  // namespace kaz
