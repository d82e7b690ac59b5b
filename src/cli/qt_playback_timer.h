#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "midi/playback_engine.h"

namespace kaz {

//! The playback engine's periodic tick on a precise Qt timer; every timeout reaches onTick with the timer's
//! id.
class QtPlaybackTimer final : public PlaybackTimer {
  public:
    explicit QtPlaybackTimer(std::function<void(TimerId)> onTick) : onTick_(std::move(onTick)) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { onTick_(id_); });
    }
    [[nodiscard]] TimerId Start(int periodMs) override {
        timer_.start(periodMs);
        id_ = static_cast<TimerId>(timer_.timerId());
        return id_;
    }
    void Stop(TimerId) override { timer_.stop(); }

  private:
    std::function<void(TimerId)> onTick_;
    QTimer timer_;
    TimerId id_ = 0;
};

}  // namespace kaz
