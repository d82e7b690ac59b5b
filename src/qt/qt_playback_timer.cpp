#include "qt/qt_playback_timer.h"

#include <QSocketNotifier>
#include <utility>

#if defined(Q_OS_LINUX)
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace kaz {

std::int64_t QtPlaybackClock::Milliseconds() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
}

std::int64_t QtPlaybackClock::Nanoseconds() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start_).count();
}

QtPlaybackClock::Clock::time_point QtPlaybackClock::TimeAt(std::int64_t clockMs) const {
    return start_ + std::chrono::milliseconds(clockMs);
}

QtPlaybackTimer::QtPlaybackTimer(const QtPlaybackClock& clock) : clock_(clock) {
    periodic_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&periodic_, &QTimer::timeout, [this] { Tick(); });
    alarm_.setTimerType(Qt::PreciseTimer);
    alarm_.setSingleShot(true);
    QObject::connect(&alarm_, &QTimer::timeout, [this] { Tick(); });
#if defined(Q_OS_LINUX)
    // steady_clock is CLOCK_MONOTONIC here, so the clock's readings convert to the descriptor's times.
    alarmDescriptor_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (alarmDescriptor_ >= 0) {
        alarmNotifier_ = std::make_unique<QSocketNotifier>(alarmDescriptor_, QSocketNotifier::Read);
        QObject::connect(alarmNotifier_.get(), &QSocketNotifier::activated, [this] {
            std::uint64_t expirations = 0;
            if (read(alarmDescriptor_, &expirations, sizeof expirations) > 0) {
                Tick();
            }
        });
    }
#endif
}

QtPlaybackTimer::~QtPlaybackTimer() {
    alarmNotifier_.reset();
#if defined(Q_OS_LINUX)
    if (alarmDescriptor_ >= 0) {
        close(alarmDescriptor_);
    }
#endif
}

void QtPlaybackTimer::Tick() {
    if (id_ != 0 && onTick_) {
        onTick_(id_);
    }
}

TimerId QtPlaybackTimer::Start(int periodMs, std::function<void(TimerId)> onTick) {
    onTick_ = std::move(onTick);
    periodic_.start(periodMs);
    id_ = static_cast<TimerId>(periodic_.timerId());
    return id_;
}

void QtPlaybackTimer::Stop(TimerId) {
    periodic_.stop();
    alarm_.stop();
#if defined(Q_OS_LINUX)
    if (alarmDescriptor_ >= 0) {
        const itimerspec disarmed{};
        timerfd_settime(alarmDescriptor_, 0, &disarmed, nullptr);
    }
#endif
    // The callback may be what called Stop: it stays alive until it returns, but is never called again.
    id_ = 0;
}

void QtPlaybackTimer::WakeAt(std::int64_t clockMs) {
    const auto due = clock_.TimeAt(clockMs);
#if defined(Q_OS_LINUX)
    if (alarmDescriptor_ >= 0) {
        const auto sinceEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(due.time_since_epoch());
        itimerspec alarm{};
        alarm.it_value.tv_sec = static_cast<time_t>(sinceEpoch.count() / 1'000'000'000);
        alarm.it_value.tv_nsec = static_cast<long>(sinceEpoch.count() % 1'000'000'000);
        // A zero time would disarm the descriptor instead of firing it.
        if (alarm.it_value.tv_sec == 0 && alarm.it_value.tv_nsec == 0) {
            alarm.it_value.tv_nsec = 1;
        }
        timerfd_settime(alarmDescriptor_, TFD_TIMER_ABSTIME, &alarm, nullptr);
        return;
    }
#endif
    const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(due - QtPlaybackClock::Clock::now());
    alarm_.start(static_cast<int>(std::max<std::int64_t>(0, remaining.count())));
}

}  // namespace kaz
