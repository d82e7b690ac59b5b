#include "qt/qt_playback_timer.h"

#include <QMetaObject>
#include <QtGlobal>
#include <algorithm>
#include <utility>

#if defined(Q_OS_UNIX)
#include <pthread.h>
#include <sched.h>
#endif

namespace kaz {

namespace {

//! Where the system allows it, the lowest real-time priority: the ticks then come before every ordinary
//! thread of the machine, a busy one included, and still after the audio threads. Elsewhere they keep the
//! ordinary priority, and come on time as long as a core is free.
void PreferToOtherThreads(std::thread& thread) {
#if defined(Q_OS_UNIX)
    sched_param priority{};
    priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
    static_cast<void>(pthread_setschedparam(thread.native_handle(), SCHED_FIFO, &priority));
#else
    static_cast<void>(thread);
#endif
}

}  // namespace

std::int64_t QtPlaybackClock::Milliseconds() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
}

std::int64_t QtPlaybackClock::Nanoseconds() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start_).count();
}

QtPlaybackClock::Clock::time_point QtPlaybackClock::TimeAt(std::int64_t clockMs) const {
    return start_ + std::chrono::milliseconds(clockMs);
}

QtPlaybackTimer::QtPlaybackTimer(const QtPlaybackClock& clock) : clock_(clock) {}

QtPlaybackTimer::~QtPlaybackTimer() {
    Stop();
}

void QtPlaybackTimer::Start(int periodMs, std::function<void()> onTick) {
    Stop();
    {
        const std::lock_guard lock(mutex_);
        running_ = true;
        alarm_.reset();
    }
    ticking_ = std::thread([this, period = std::chrono::milliseconds(periodMs), onTick = std::move(onTick)] {
        Tick(period, onTick);
    });
    PreferToOtherThreads(ticking_);
}

void QtPlaybackTimer::Tick(std::chrono::milliseconds period, const std::function<void()>& onTick) {
    std::unique_lock lock(mutex_);
    Clock::time_point periodic = Clock::now() + period;
    while (running_) {
        const Clock::time_point due = alarm_ ? std::min(*alarm_, periodic) : periodic;
        alarmMoved_ = false;
        if (changed_.wait_until(lock, due, [this] { return !running_ || alarmMoved_; })) {
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (alarm_ && *alarm_ <= now) {
            alarm_.reset();
        }
        if (periodic <= now) {
            periodic += period;
            // Ticks missed while the machine was busy are not made up for: one tick performs all that is due.
            if (periodic <= now) {
                periodic = now + period;
            }
        }
        // Unlocked, so that the tick can set the next alarm.
        lock.unlock();
        onTick();
        lock.lock();
    }
}

void QtPlaybackTimer::WakeAt(std::int64_t clockMs) {
    {
        const std::lock_guard lock(mutex_);
        alarm_ = clock_.TimeAt(clockMs);
        alarmMoved_ = true;
    }
    changed_.notify_one();
}

void QtPlaybackTimer::Stop() {
    {
        const std::lock_guard lock(mutex_);
        running_ = false;
    }
    changed_.notify_one();
    if (ticking_.joinable()) {
        ticking_.join();
    }
    const std::lock_guard lock(handedBackMutex_);
    handedBack_.clear();
}

void QtPlaybackTimer::HandBack(std::function<void()> work) {
    bool first = false;
    {
        const std::lock_guard lock(handedBackMutex_);
        first = handedBack_.empty();
        handedBack_.push_back(std::move(work));
    }
    // One queued call runs everything handed back until it finds nothing left.
    if (first) {
        QMetaObject::invokeMethod(
            &receiver_, [this] { RunHandedBack(); }, Qt::QueuedConnection);
    }
}

void QtPlaybackTimer::RunHandedBack() {
    for (;;) {
        std::function<void()> work;
        {
            const std::lock_guard lock(handedBackMutex_);
            if (handedBack_.empty()) {
                return;
            }
            work = std::move(handedBack_.front());
            handedBack_.pop_front();
        }
        work();
    }
}

}  // namespace kaz
