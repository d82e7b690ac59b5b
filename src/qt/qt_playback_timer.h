#pragma once

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
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
//! millisecond whatever the window is doing; the work they hand back runs in the Qt event loop of the
//! thread that made the timer.
class QtPlaybackTimer final : public PlaybackTimer {
  public:
    explicit QtPlaybackTimer(const QtPlaybackClock& clock);
    ~QtPlaybackTimer() override;
    QtPlaybackTimer(const QtPlaybackTimer&) = delete;
    QtPlaybackTimer& operator=(const QtPlaybackTimer&) = delete;

    void Start(int periodMs, std::function<void()> onTick) override;
    void WakeAt(std::int64_t clockMs) override;
    void Stop() override;
    void HandBack(std::function<void()> work) override;

  private:
    using Clock = QtPlaybackClock::Clock;

    //! The ticking thread: a tick at every period and at the alarm, until Stop.
    void Tick(std::chrono::milliseconds period, const std::function<void()>& onTick);
    void RunHandedBack();

    const QtPlaybackClock& clock_;
    //! Lives in the thread that made the timer; the calls queued to it go with it.
    QObject receiver_;
    std::thread ticking_;

    std::mutex mutex_;  //!< guards running_, alarm_ and alarmMoved_
    std::condition_variable changed_;
    bool running_ = false;
    std::optional<Clock::time_point> alarm_;
    bool alarmMoved_ = false;

    std::mutex handedBackMutex_;
    std::deque<std::function<void()>> handedBack_;
};

}  // namespace kaz
