// The window's speed and memory, on Qt's offscreen platform unless a display is given:
// - start-up of a fresh process to the first painted window with a 200-measure chart, and its resident
// memory;
// - playback lateness at the port while the window selects each chord and scrolls through a 2,000-line chart,
//   with the machine otherwise idle and with the other core busy, without and with the follow view shown;
// - opening, typing in and saving a 50,000-line chart: the slowest keystroke, painting included;
// - checking a 1,000-measure chart as it is typed, from the start of the check to its report, with and
//   without a mistake at its end.
// cmake -DKAZ_BUILD_BENCH=ON, then build/.../bench/window_bench.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>

#include "app/application.h"
#include "app/chart_editor.h"
#include "app/live_checker.h"
#include "bench_charts.h"
#include "lateness.h"

namespace {

using namespace kaz;

constexpr const char* kStartUpChild = "--start-up-child";

//! The resident memory of this process in MiB.
double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
    }
    return 0;
}

void WriteFile(const QString& path, const std::string& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
}

//! A chart of lines one 32nd-note measure long at 300: the selection moves, and the view scrolls, every
//! 25 ms.
std::string ScrollingChart(int lines) {
    static constexpr const char* kChords[] = {"C", "Am7", "Dm7", "G7", "Em7", "A7", "Fmaj7", "Bb7"};
    std::string text = "[TEMPO=300]\n[1/32]\n";
    for (int i = 0; i < lines; ++i) {
        text += kChords[i % 8];
        text += " |\n";
    }
    return text;
}

//! The child of the start-up case: start as the program does, and report when the editor first paints.
int RunStartUpChild(int argc, char** argv) {
    QApplication application(argc, argv);
    DescribeApplication();
    Session session;
    const std::unique_ptr<MainWindow> window = StartUp(session, {QString::fromLocal8Bit(argv[2])});
    if (window == nullptr) {
        return 1;
    }
    struct FirstPaint : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && !painted) {
                painted = true;
                QTimer::singleShot(0, [] {
                    std::printf("painted %.1f\n", ResidentMiB());
                    std::fflush(stdout);
                    QApplication::exit(0);
                });
            }
            return false;
        }
        bool painted = false;
    } firstPaint;
    window->Editor().viewport()->installEventFilter(&firstPaint);
    window->show();
    return QApplication::exec();
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
    QTemporaryDir folder;
    const QString chart = folder.filePath("blues.kaz");
    WriteFile(chart, bench::BluesChart(200));
    double resident = 0;
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer elapsed;
        elapsed.start();
        child.start(QApplication::applicationFilePath(), {kStartUpChild, chart});
        if (!child.waitForFinished(10000) || child.exitCode() != 0) {
            state.SkipWithError("the window did not start");
            return;
        }
        state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) * 1e-9);
        resident = QString::fromLatin1(child.readAllStandardOutput()).section(' ', 1).toDouble();
    }
    state.counters["resident_MiB"] = resident;
}

void BM_PlaybackLatenessInTheWindow(benchmark::State& state) {
    QTemporaryDir folder;
    const QString chart = folder.filePath("long.kaz");
    WriteFile(chart, ScrollingChart(2000));
    for (auto _ : state) {
        bench::BusyCore busy(state.range(0) != 0);
        test::PortRecording recording;
        recording.messages.reserve(1 << 14);
        Session session;
        session.devices = {"Recording port"};
        session.makePort = [&] {
            return std::make_unique<test::RecordingPort>(recording,
                                                         [&session] { return session.clock.Nanoseconds(); });
        };
        MainWindow window(session);
        window.resize(760, 520);
        window.show();
        QAction* followView = window.Actions().followView;
        if (followView->isChecked() != (state.range(1) != 0)) {
            followView->trigger();
        }
        if (!window.LoadFile(chart)) {
            state.SkipWithError("the chart did not open");
            return;
        }
        window.Actions().play->trigger();
        if (session.playback->IsStopped()) {
            state.SkipWithError("the chart did not play");
            return;
        }
        const std::vector<double> due = bench::DueTimesNs(session.compile.events, session.playback->State());
        QElapsedTimer wall;
        wall.start();
        while (!session.playback->IsStopped()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.SetIterationTime(static_cast<double>(wall.nsecsElapsed()) * 1e-9);
        bench::ReportLateness(state, recording.messages, due);
    }
}

void BM_TypingInA50000LineChart(benchmark::State& state) {
    QTemporaryDir folder;
    const QString chart = folder.filePath("huge.kaz");
    WriteFile(chart, bench::BluesChart(200000));
    for (auto _ : state) {
        Session session;
        session.devices = {"Recording port"};
        MainWindow window(session);
        window.resize(760, 520);
        window.show();
        QElapsedTimer timer;
        timer.start();
        window.LoadFile(chart);
        QApplication::processEvents();
        const double openMs = static_cast<double>(timer.nsecsElapsed()) * 1e-6;

        ChartEditor& editor = window.Editor();
        double slowestKeyMs = 0;
        for (int key = 0; key < 200; ++key) {
            if (key % 40 == 0) {
                // Type at the start, in the middle and at the end of the chart.
                editor.moveCursor(key % 80 == 0 ? QTextCursor::Start : QTextCursor::End);
            }
            timer.restart();
            QTest::keyClick(&editor, key % 10 == 9 ? Qt::Key_Return : Qt::Key_A);
            QApplication::processEvents();
            slowestKeyMs = std::max(slowestKeyMs, static_cast<double>(timer.nsecsElapsed()) * 1e-6);
        }
        timer.restart();
        window.SaveFile(chart);
        const double saveMs = static_cast<double>(timer.nsecsElapsed()) * 1e-6;
        state.SetIterationTime(openMs * 1e-3);
        state.counters["open_ms"] = openMs;
        state.counters["slowest_key_ms"] = slowestKeyMs;
        state.counters["save_ms"] = saveMs;
        state.counters["lines"] = editor.blockCount();
    }
}

void BM_LiveCheckOfA1000MeasureChart(benchmark::State& state) {
    const bool mistake = state.range(0) != 0;
    Session session;
    session.devices = {"Recording port"};
    MainWindow window(session);
    window.show();
    window.Editor().SetDocumentText(QString::fromStdString(bench::BluesChart(1000) + (mistake ? "x\n" : "")));
    auto& checker = *window.findChild<LiveChecker*>();
    QString report;
    bool reported = false;
    QObject::connect(&checker, &LiveChecker::checked, [&](const QString& words) {
        report = words;
        reported = true;
    });
    // The check that the new text brings comes and goes first.
    QTest::qWait(LiveChecker::kPauseMs * 2);
    QElapsedTimer timer;
    for (auto _ : state) {
        reported = false;
        timer.start();
        checker.CheckNow();
        while (!reported) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
    if (report.isEmpty() == mistake) {
        state.SkipWithError("the check did not find what the chart holds");
    }
}

BENCHMARK(BM_StartUpToFirstPaint)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaybackLatenessInTheWindow)
    ->ArgNames({"other_core_busy", "follow_view"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_TypingInA50000LineChart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveCheckOfA1000MeasureChart)
    ->ArgName("mistake")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The benchmark's charts stay out of the user's recent files.
    const QTemporaryDir settings;
    if (argc != 3) {
        qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    }
    if (argc == 3 && std::string(argv[1]) == kStartUpChild) {
        return RunStartUpChild(argc, argv);
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
