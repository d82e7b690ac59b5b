#include "qt/qt_playback_timer.h"

#include <utility>

namespace kaz {

QtPlaybackTimer::QtPlaybackTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTick_) {
            onTick_(id_);
        }
    });
}

TimerId QtPlaybackTimer::Start(int periodMs, std::function<void(TimerId)> onTick) {
    onTick_ = std::move(onTick);
    timer_.start(periodMs);
    id_ = static_cast<TimerId>(timer_.timerId());
    return id_;
}

void QtPlaybackTimer::Stop(TimerId) {
    timer_.stop();
    // The callback may be what called Stop: keep it alive until it returns, but never call it again.
    id_ = 0;
}

}  // namespace kaz
