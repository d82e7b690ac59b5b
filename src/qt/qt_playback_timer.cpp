#include "qt/qt_playback_timer.h"

#include <QMetaObject>
#include <QObject>
#include <QSocketNotifier>
#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <utility>

#if defined(Q_OS_UNIX)
#include <pthread.h>
#include <sched.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/eventfd.h>
#include <unistd.h>
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

//! Wakes the event loop of the thread that made it, from any thread, with at most one wake on its way. On
//! Linux the wake is a count added to an eventfd that the loop watches, which takes no lock a sleeping
//! thread could hold; elsewhere it is a queued call.
class QtPlaybackTimer::HandBackSignal {
  public:
    explicit HandBackSignal(std::function<void()> received) : received_(std::move(received)) {
#if defined(Q_OS_LINUX)
        wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (wake_ >= 0) {
            notifier_ = std::make_unique<QSocketNotifier>(wake_, QSocketNotifier::Read);
            QObject::connect(notifier_.get(), &QSocketNotifier::activated, &receiver_, [this] { Receive(); });
        }
#endif
    }
    ~HandBackSignal() {
        notifier_.reset();
#if defined(Q_OS_LINUX)
        if (wake_ >= 0) {
            static_cast<void>(::close(wake_));
        }
#endif
    }
    HandBackSignal(const HandBackSignal&) = delete;
    HandBackSignal& operator=(const HandBackSignal&) = delete;

    //! From any thread: have the callback run on the thread that made the signal.
    void Raise() {
        if (raised_.exchange(true, std::memory_order_acq_rel)) {
            return;
        }
#if defined(Q_OS_LINUX)
        if (wake_ >= 0) {
            const std::uint64_t one = 1;
            static_cast<void>(::write(wake_, &one, sizeof one));
            return;
        }
#endif
        QMetaObject::invokeMethod(
            &receiver_, [this] { Receive(); }, Qt::QueuedConnection);
    }
    //! Forget a raise whose callback has not run yet.
    void Clear() {
        Drain();
        raised_.store(false, std::memory_order_release);
    }

  private:
    void Receive() {
        Drain();
        // Taken before the callback runs: a raise that comes meanwhile wakes the loop again.
        if (raised_.exchange(false, std::memory_order_acq_rel)) {
            received_();
        }
    }
    void Drain() {
#if defined(Q_OS_LINUX)
        std::uint64_t count = 0;
        if (wake_ >= 0) {
            static_cast<void>(::read(wake_, &count, sizeof count));
        }
#endif
    }

    std::function<void()> received_;
    std::atomic<bool> raised_ = false;
    int wake_ = -1;     //!< the eventfd
    QObject receiver_;  //!< lives in the thread that made the signal
    std::unique_ptr<QSocketNotifier> notifier_;
};

QtPlaybackTimer::QtPlaybackTimer(const QtPlaybackClock& clock) : clock_(clock) {}

QtPlaybackTimer::~QtPlaybackTimer() {
    Stop();
}

void QtPlaybackTimer::Start(int periodMs, std::function<void()> onTick, std::function<void()> onHandedBack) {
    Stop();
    if (handBack_ == nullptr) {
        handBack_ = std::make_unique<HandBackSignal>([this] { RunHandedBack(); });
    }
    onHandedBack_ = std::move(onHandedBack);
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
    if (handBack_ != nullptr) {
        handBack_->Clear();
    }
}

void QtPlaybackTimer::HandBack() {
    handBack_->Raise();
}

void QtPlaybackTimer::RunHandedBack() {
    if (onHandedBack_) {
        onHandedBack_();
    }
}

}  // namespace kaz
