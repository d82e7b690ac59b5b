// Plays a 60-second chart in real time, as `kaz-cli play` does (Qt event loop, the timer's own thread, the
// millisecond clock), into a recording port, and reports for every message how late it was sent after the
// exact moment its tick falls on: median, 99th percentile and maximum, with the machine otherwise idle and
// with a second process keeping the other core busy. Also reports the CPU the program used, its event loop
// and its timer's thread, as a share of the wall time, and beside it the machine's own lateness meanwhile
// (see bench::MachineLateness). And the same while a chord is edited every 200 ms with Edit while playing,
// each edit compiled and taking over at the next measure boundary; and with the band playing the chart in
// Medium up swing, its piano, guitar, bass and drums all sounding (without edits, which change what the band
// plays, so its messages could not be told against the first compile's). Runs once per case: cmake
// -DKAZ_BUILD_BENCH=ON, then build/.../bench/playback_bench.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <ctime>
#include <memory>
#include <thread>
#include <vector>

#include "bench_charts.h"
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

//! The minute chart as a musician edits it while it plays: the last chord of one of its measures turned into
//! its tritone substitute and back, edit after edit. Both have four notes on the same beat, so every edit
//! plays as many messages at the same moments, and each message keeps the moment it is due.
std::string EditedMinuteChart(int edit) {
    std::string text = MinuteChart();
    if (edit % 2 == 1) {
        std::size_t at = text.find("G7");
        for (int measure = edit / 2 % 30; measure > 0; --measure) {
            at = text.find("G7", at + 1);
        }
        text.replace(at, 2, "Db7");
    }
    return text;
}

//! Play the minute chart into a recording port and report how late each message was; with editEveryMs, a
//! new compile of an edited chart is offered that often while it plays, as Edit while playing offers each
//! compile of the text, and it takes over at the next measure boundary.
void PlayTheMinuteChart(benchmark::State& state, bool otherCoreBusy, int editEveryMs, bool band) {
    CompileOptions options;
    std::string style;
    if (band) {
        options.settings.style.library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
        style = "[STYLE=Medium up swing]\n";
    }
    for (auto _ : state) {
        bench::BusyCore busy(otherCoreBusy);
        QtPlaybackClock clock;
        test::PortRecording recording;
        recording.messages.reserve(4096);
        QtPlaybackTimer timer(clock);
        const PlaybackEngine* playing = nullptr;
        PlaybackEngine playback({clock, timer,
                                 [&] {
                                     return std::make_unique<test::RecordingPort>(
                                         recording, [&clock] { return clock.Nanoseconds(); });
                                 },
                                 [&] {
                                     if (playing != nullptr && playing->IsStopped()) {
                                         QCoreApplication::exit(0);
                                     }
                                 }});
        playing = &playback;
        const std::shared_ptr<const CompiledChart> chart =
            bench::CompileOrAbort(style + MinuteChart(), options);
        if (!playback.Play(chart, "Recording port").empty()) {
            state.SkipWithError("the chart did not play");
            return;
        }
        const std::vector<double> due = bench::DueTimesNs(chart->performance, playback.State());
        QTimer edits;
        int edit = 0;
        std::size_t offered = 0;
        QObject::connect(&edits, &QTimer::timeout, [&] {
            offered +=
                playback.Offer(bench::CompileOrAbort(style + EditedMinuteChart(++edit), options)) ? 1 : 0;
        });
        if (editEveryMs > 0) {
            edits.start(editEveryMs);
        }
        bench::MachineLateness machine{std::chrono::milliseconds(kPlaybackTimerPeriodMs)};
        const double cpuStart = bench::ProcessCpuSeconds();
        const std::int64_t wallStart = clock.Nanoseconds();
        QCoreApplication::exec();
        const double cpu = bench::ProcessCpuSeconds() - cpuStart;
        const double wall = static_cast<double>(clock.Nanoseconds() - wallStart) * 1e-9;
        machine.Report(state);
        if (!bench::ReportLateness(state, recording.messages, due)) {
            return;
        }
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
        if (editEveryMs > 0) {
            state.counters["charts_offered"] = static_cast<double>(offered);
        }
    }
}

//! With edits, Edit while playing: an edit every 200 ms, each compiled and offered as the window does.
void BM_PlaybackLateness(benchmark::State& state) {
    PlayTheMinuteChart(state, state.range(0) != 0, state.range(1) != 0 ? 200 : 0, state.range(2) != 0);
}

BENCHMARK(BM_PlaybackLateness)
    ->ArgNames({"other_core_busy", "edits", "band"})
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({0, 1, 0})
    ->Args({1, 1, 0})
    ->Args({0, 0, 1})
    ->Args({1, 0, 1})
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
