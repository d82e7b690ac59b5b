#pragma once

#include <benchmark/benchmark.h>

#include <pthread.h>
#include <sched.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "midi/playback_engine.h"
#include "support/recording_port.h"

namespace kaz::bench {

//! Keeps the other core busy while it lives, when asked to: a child process that only spins, so that the
//! CPU time of this process stays its own.
class BusyCore {
  public:
    explicit BusyCore(bool busy) {
        if (busy) {
            spinner_ = fork();
            if (spinner_ == 0) {
                volatile std::uint64_t work = 0;
                for (;;) {
                    work = work + 1;
                }
            }
        }
    }
    ~BusyCore() {
        if (spinner_ > 0) {
            kill(spinner_, SIGKILL);
            waitpid(spinner_, nullptr, 0);
        }
    }
    BusyCore(const BusyCore&) = delete;
    BusyCore& operator=(const BusyCore&) = delete;

  private:
    pid_t spinner_ = -1;
};

//! The CPU time of the whole process, every thread of it.
inline double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

//! The exact moment, in nanoseconds of the playback clock, at which each message of the performance is due,
//! from the engine's own origin and rate at the start of playing.
inline std::vector<double> DueTimesNs(const EventList& events, const PlaybackState& playing) {
    const double originNs = static_cast<double>(playing.clockOrigin) * 1e6;
    const double nsPerTick = 1e6 / playing.ticksPerMs;
    std::vector<double> due;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const EventKind kind = events[i].kind;
        // What the engine sends to the port: notes, instruments and the parts' places in the mix.
        if (kind == EventKind::NoteOn || kind == EventKind::NoteOff || kind == EventKind::ProgramChange ||
            kind == EventKind::ControlChange) {
            due.push_back(originNs + events[i].time * nsPerTick);
        }
    }
    return due;
}

//! Lateness in milliseconds, reported as the benchmark's counters.
inline void ReportLatenessMs(benchmark::State& state, std::vector<double> lateMs) {
    std::sort(lateMs.begin(), lateMs.end());
    const auto percentile = [&lateMs](double fraction) {
        const auto index = static_cast<std::size_t>(fraction * static_cast<double>(lateMs.size() - 1) + 0.5);
        return lateMs[std::min(index, lateMs.size() - 1)];
    };
    state.counters["messages"] = static_cast<double>(lateMs.size());
    state.counters["late_min_ms"] = lateMs.front();
    state.counters["late_median_ms"] = percentile(0.5);
    state.counters["late_p99_ms"] = percentile(0.99);
    state.counters["late_max_ms"] = lateMs.back();
}

//! How late each message reached the port, reported as the benchmark's counters (milliseconds). False when
//! the port did not get every message.
inline bool ReportLateness(benchmark::State& state, const std::vector<test::RecordedMessage>& sent,
                           const std::vector<double>& due) {
    if (sent.size() != due.size()) {
        state.SkipWithError("the port did not receive every message");
        return false;
    }
    std::vector<double> lateMs;
    for (std::size_t i = 0; i < due.size(); ++i) {
        lateMs.push_back((static_cast<double>(sent[i].time) - due[i]) * 1e-6);
    }
    ReportLatenessMs(state, std::move(lateMs));
    return true;
}

//! While it runs, a thread of the playback ticks' priority that only sleeps until every next period and
//! wakes, as the ticks do: how late it wakes is the lateness of the machine itself over that time, below
//! which no playback can be.
class MachineLateness {
  public:
    explicit MachineLateness(std::chrono::milliseconds period) {
        lateMs_.reserve(1 << 16);
        sleeper_ = std::thread([this, period] { Sleep(period); });
        sched_param priority{};
        priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
        static_cast<void>(pthread_setschedparam(sleeper_.native_handle(), SCHED_FIFO, &priority));
    }
    ~MachineLateness() { Stop(); }
    MachineLateness(const MachineLateness&) = delete;
    MachineLateness& operator=(const MachineLateness&) = delete;

    //! Stop, and report how late it woke as the counters machine_p99_ms and machine_max_ms.
    void Report(benchmark::State& state) {
        Stop();
        std::sort(lateMs_.begin(), lateMs_.end());
        if (!lateMs_.empty()) {
            state.counters["machine_p99_ms"] = lateMs_[lateMs_.size() * 99 / 100];
            state.counters["machine_max_ms"] = lateMs_.back();
        }
    }

  private:
    using Clock = std::chrono::steady_clock;

    void Sleep(std::chrono::milliseconds period) {
        std::unique_lock lock(mutex_);
        for (Clock::time_point due = Clock::now() + period; running_; due += period) {
            // The ticks' own way of sleeping.
            if (stopped_.wait_until(lock, due, [this] { return !running_; })) {
                break;
            }
            if (lateMs_.size() < lateMs_.capacity()) {
                lateMs_.push_back(std::chrono::duration<double, std::milli>(Clock::now() - due).count());
            }
        }
    }
    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            running_ = false;
        }
        stopped_.notify_one();
        if (sleeper_.joinable()) {
            sleeper_.join();
        }
    }

    std::mutex mutex_;
    std::condition_variable stopped_;
    bool running_ = true;  //!< guarded by mutex_
    std::vector<double> lateMs_;
    std::thread sleeper_;
};

}  // namespace kaz::bench
