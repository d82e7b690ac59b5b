// Plays a 60-second chart in real time, as `kaz-cli play` does (Qt event loop, the timer's own thread, the
// millisecond clock), into a recording port, and reports for every message how late it was sent after the
// exact moment its tick falls on: median, 99th percentile and maximum, with the machine otherwise idle and
// with a second process keeping the other core busy. Also reports the CPU the program used, its event loop
// and its timer's thread, as a share of the wall time. Runs once per case: cmake -DKAZ_BUILD_BENCH=ON, then
// build/.../bench/playback_bench.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <ctime>
#include <thread>
#include <vector>

#include "language/compile_score.h"
#include "lateness.h"
#include "midi/playback_engine.h"
#include "qt/qt_playback_timer.h"
#include "support/recording_port.h"

namespace {

using namespace kaz;

//! Thirty measures of four chords at 120: one minute, a strike every half second.
std::string MinuteChart() {
    std::string text = "[4/4]\n";
    for (int i = 0; i < 30; ++i) {
        text += (i % 2 == 0) ? "C Am7 Dm7 G7 |" : "Em7 A7 Dm7 G7 |";
        text += (i % 4 == 3) ? "\n" : " ";
    }
    return text;
}

class QuietPresenter final : public ErrorPresenter {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
};

class IdleTransport final : public TransportControls {
  public:
    void SetLatch(TransportLatch, bool) override {}
    [[nodiscard]] std::string TempoText() const override { return "120"; }
    void SetTempoText(const std::string&) override {}
    void SetTempoReadOnly(bool) override {}
    [[nodiscard]] std::string SelectedDeviceName() const override { return {}; }
    void SetDeviceListEnabled(bool) override {}
};

void BM_PlaybackLateness(benchmark::State& state) {
    const bool otherCoreBusy = state.range(0) != 0;
    const std::string chart = MinuteChart();
    for (auto _ : state) {
        bench::BusyCore busy(otherCoreBusy);
        QtPlaybackClock clock;
        CompileState compile;
        NoEditor view;
        QuietPresenter presenter;
        IdleTransport transport;
        test::PortRecording recording;
        recording.messages.reserve(4096);
        QtPlaybackTimer timer(clock);
        PlaybackEngine playback(compile, {view, presenter, transport, clock, timer,
                                          [&] {
                                              return std::make_unique<test::RecordingPort>(
                                                  recording, [&clock] { return clock.Nanoseconds(); });
                                          },
                                          // The one change while the event loop runs is the stop at the end.
                                          CompileScore, [] { QCoreApplication::exit(0); }});
        playback.OnPlay(chart);
        if (playback.IsStopped()) {
            state.SkipWithError("the chart did not play");
            return;
        }
        const std::vector<double> due = bench::DueTimesNs(compile.events, playback.State());
        const double cpuStart = bench::ProcessCpuSeconds();
        const std::int64_t wallStart = clock.Nanoseconds();
        QCoreApplication::exec();
        const double cpu = bench::ProcessCpuSeconds() - cpuStart;
        const double wall = static_cast<double>(clock.Nanoseconds() - wallStart) * 1e-9;
        if (!bench::ReportLateness(state, recording.messages, due)) {
            return;
        }
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
}

BENCHMARK(BM_PlaybackLateness)
    ->ArgName("other_core_busy")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
