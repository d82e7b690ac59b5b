// The window's speed and memory, on Qt's offscreen platform unless a display is given:
// - start-up of a fresh process to the first painted window with a 200-measure chart, and its resident
// memory (and, apart, the time until the process has ended);
// - playback lateness at the port while the window selects each chord and scrolls through a 2,000-line chart,
//   with the machine otherwise idle and with the other core busy, without and with the follow view or the
//   chart view shown; through a chart that the busiest accompaniment style plays, with both views shown; and
//   with Edit while playing, a chord changed every 200 ms and each compile taking over as it plays;
//   each beside the machine's own lateness meanwhile, how late a thread of the same priority wakes that only
//   sleeps;
// - opening, typing in and saving a 50,000-line chart: the slowest keystroke, painting included;
// - a keystroke in a 1,000-measure chart until the live check and the chart view show the new text, the
//   compile off the window's thread;
// - typing at the end and in the middle of one long line, with the highlighter and the live check at work:
//   the slowest keystroke, painting included, by the line's length;
// - listing the unsaved charts that runs which were killed left behind, each with the lock its run held, and
//   making the list the user answers;
// - from Play to the first note reaching the built-in synthesizer (playing through its "file" output, with
// the
//   default SoundFont): the sounds loading on that Play (as every Play once did), the first Play pressed as
//   soon as the window shows (the sounds still loading ahead), pressed once they have loaded, and a second
//   Play; with the window's longest stall meanwhile.
// cmake -DKAZ_BUILD_BENCH=ON, then build/.../bench/window_bench.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>

#include "app/application.h"
#include "app/chart/chart_feature.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/document/chart_document.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"
#include "app/editor/live_checker.h"
#include "app/loaded_modules.h"
#include "app/main_window.h"
#include "app/playback/playback_controller.h"
#include "app/recovery_dialog.h"
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

//! A chart that the busiest accompaniment style plays, a measure a line: 50 seconds of funk at 240.
std::string FunkChart() {
    static constexpr const char* kChords[] = {"E7#9", "A7", "D9", "G13", "Cm7", "F7", "Bb7", "Eb9"};
    std::string text = "[STYLE=Funk]\n[TEMPO=240]\n";
    for (int i = 0; i < 50; ++i) {
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

//! Settings of about kilobytes KB, as a hand-edited or foreign settings file may have them: the program's own
//! values and many others beside them.
std::string SettingsFile(int kilobytes) {
    std::string text = "[Settings]\nBBbH=english\n[Filler]\n";
    for (int i = 0; text.size() < static_cast<std::size_t>(kilobytes) * 1024; ++i) {
        text += "Key" + std::to_string(i) + "=" + std::string(40, 'x') + "\n";
    }
    return text;
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
    QTemporaryDir folder;
    const QString chart = folder.filePath("blues.kaz");
    WriteFile(chart, bench::BluesChart(200));
    // A settings file of its own (none, or as large as the program reads), and no recovery files of the
    // user's.
    QDir(folder.path()).mkpath("config/Velmor");
    if (state.range(0) > 0) {
        WriteFile(folder.filePath("config/Velmor/Kaz.conf"), SettingsFile(static_cast<int>(state.range(0))));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", folder.filePath("config"));
    environment.insert("XDG_DATA_HOME", folder.filePath("data"));
    double resident = 0;
    double endedMs = 0;
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(environment);
        QElapsedTimer elapsed;
        elapsed.start();
        child.start(QApplication::applicationFilePath(), {kStartUpChild, chart});
        // The window has painted when the child says so; its teardown comes after and is timed apart.
        while (!child.canReadLine() && child.waitForReadyRead(10000)) {
        }
        const double paintedSeconds = static_cast<double>(elapsed.nsecsElapsed()) * 1e-9;
        if (!child.waitForFinished(10000) || child.exitCode() != 0) {
            state.SkipWithError("the window did not start");
            return;
        }
        state.SetIterationTime(paintedSeconds);
        endedMs += static_cast<double>(elapsed.nsecsElapsed()) * 1e-6;
        resident = QString::fromLatin1(child.readAllStandardOutput()).section(' ', 1).toDouble();
    }
    state.counters["resident_MiB"] = resident;
    state.counters["ended_ms"] = endedMs / static_cast<double>(state.iterations());
}

//! With Edit while playing, the G7 about two seconds ahead of the playback of the scrolling chart turned into
//! its tritone substitute, as a musician types it: every edit plays as many messages at the same moments.
void SubstituteAhead(ChartEditor& editor, int edit) {
    // Eight measures of 25 ms between edits, G7 on every eighth line from the fourth.
    const int line = 8 * (edit + 10) + 3 + 2;  // below the tempo and meter lines
    QTextCursor chord(editor.document()->findBlockByNumber(line));
    chord.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, 2);
    if (chord.selectedText() == QStringLiteral("G7")) {
        chord.insertText(QStringLiteral("Db7"));
    }
}

void BM_PlaybackLatenessInTheWindow(benchmark::State& state) {
    QTemporaryDir folder;
    const QString chart = folder.filePath("long.kaz");
    const bool funk = state.range(3) != 0;
    const bool edits = state.range(4) != 0;
    WriteFile(chart, funk ? FunkChart() : ScrollingChart(2000));
    for (auto _ : state) {
        bench::BusyCore busy(state.range(0) != 0);
        test::PortRecording recording;
        // Room for every message: the port itself allocates nothing while it plays.
        recording.messages.reserve(1 << 16);
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
        QAction* chartView = window.Chart().ChartViewAction();
        if (chartView->isChecked() != (state.range(2) != 0)) {
            chartView->trigger();
        }
        if (window.Actions().editWhilePlaying->isChecked() != edits) {
            window.Actions().editWhilePlaying->trigger();
        }
        if (!window.LoadFile(chart)) {
            state.SkipWithError("the chart did not open");
            return;
        }
        window.Actions().play->trigger();
        const PlaybackEngine& engine = window.Playback().Engine();
        if (engine.IsStopped()) {
            state.SkipWithError("the chart did not play");
            return;
        }
        const std::vector<double> due = bench::DueTimesNs(engine.Playing()->performance, engine.State());
        QTimer editor;
        int edit = 0;
        QObject::connect(&editor, &QTimer::timeout, [&] { SubstituteAhead(window.Editor(), edit++); });
        if (edits) {
            editor.start(200);
        }
        bench::MachineLateness machine{std::chrono::milliseconds(kPlaybackTimerPeriodMs)};
        QElapsedTimer wall;
        wall.start();
        while (!engine.IsStopped()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.SetIterationTime(static_cast<double>(wall.nsecsElapsed()) * 1e-9);
        machine.Report(state);
        bench::ReportLateness(state, recording.messages, due);
        if (edits) {
            state.counters["compiles"] = static_cast<double>(window.Compiler().Compiles());
        }
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
        static_cast<void>(window.Document().SaveTo(chart));
        const double saveMs = static_cast<double>(timer.nsecsElapsed()) * 1e-6;
        state.SetIterationTime(openMs * 1e-3);
        state.counters["open_ms"] = openMs;
        state.counters["slowest_key_ms"] = slowestKeyMs;
        state.counters["save_ms"] = saveMs;
        state.counters["lines"] = editor.blockCount();
    }
}

//! What the user waits for after a keystroke in a 1,000-measure chart: the compile of the new text on the
//! compiler's thread, then the live check's report and, when it is shown, the chart view painted from it.
//! The keys take the 7 off an F7 in the middle of the chart and type it back, key after key.
void BM_KeystrokeToCheckAndChartView(benchmark::State& state) {
    const bool chartViewShown = state.range(0) != 0;
    Session session;
    session.devices = {"Recording port"};
    MainWindow window(session);
    window.resize(1000, 700);
    window.show();
    QAction* chartView = window.Chart().ChartViewAction();
    if (chartView->isChecked() != chartViewShown) {
        chartView->trigger();
    }
    ChartEditor& editor = window.Editor();
    editor.SetDocumentText(QString::fromStdString(bench::BluesChart(1000)));
    auto& checker = *window.findChild<LiveChecker*>();
    ChartCompiler& compiler = window.Compiler();
    const auto current = [&] {
        return compiler.Latest() != nullptr && compiler.Latest()->editorRevision == editor.Revision();
    };
    bool checked = false;
    QObject::connect(&checker, &LiveChecker::checked,
                     [&](const QString& report) { checked = current() && report.isEmpty(); });
    struct PaintWatch : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            painted = painted || (event->type() == QEvent::Paint && current());
            return false;
        }
        std::function<bool()> current;
        bool painted = false;
    } paintWatch;
    paintWatch.current = current;
    window.Chart().Panel().View().viewport()->installEventFilter(&paintWatch);
    // The compile of the opened text comes and goes first.
    QTest::qWait(LiveChecker::kPauseMs * 2);
    QTextCursor seven =
        editor.document()->find(QStringLiteral("F7"), editor.document()->characterCount() / 2);
    seven.clearSelection();
    editor.setTextCursor(seven);
    const std::uint64_t compilesBefore = compiler.Compiles();
    QElapsedTimer timer;
    int key = 0;
    for (auto _ : state) {
        checked = false;
        paintWatch.painted = false;
        timer.start();
        QTest::keyClick(&editor, key++ % 2 == 0 ? Qt::Key_Backspace : Qt::Key_7);
        while (!checked || (chartViewShown && !paintWatch.painted)) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
    state.counters["compiles_per_key"] =
        static_cast<double>(compiler.Compiles() - compilesBefore) / static_cast<double>(state.iterations());
}

//! One line of length characters of chart: chords and bar lines, as a chart written without line breaks is.
QString LongLine(int length) {
    static const QString kMeasures = QStringLiteral("C Am7 | Dm7 G7 | ");
    QString line;
    line.reserve(length);
    while (line.size() < length) {
        line += kMeasures;
    }
    line.truncate(length);
    return line;
}

void BM_TypingOnALongLine(benchmark::State& state) {
    const auto length = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Session session;
        session.devices = {"Recording port"};
        MainWindow window(session);
        window.resize(760, 520);
        window.show();
        ChartEditor& editor = window.Editor();
        QElapsedTimer timer;
        timer.start();
        editor.SetDocumentText(LongLine(length));
        QApplication::processEvents();
        const double openMs = static_cast<double>(timer.nsecsElapsed()) * 1e-6;
        // The check of the new text comes and goes first.
        QTest::qWait(LiveChecker::kPauseMs * 2);
        std::vector<double> keyMs;
        for (int round = 0; round < 4; ++round) {
            QTextCursor cursor = editor.textCursor();
            cursor.setPosition(round % 2 == 0 ? editor.document()->characterCount() - 1 : length / 2);
            editor.setTextCursor(cursor);
            for (int key = 0; key < 10; ++key) {
                timer.restart();
                QTest::keyClick(&editor, key % 5 == 4 ? Qt::Key_Space : Qt::Key_A);
                QApplication::processEvents();
                keyMs.push_back(static_cast<double>(timer.nsecsElapsed()) * 1e-6);
                QTest::qWait(40);  // a fast typist
            }
            // A pause: the check runs and shows what it found while the next keys come.
            QTest::qWait(LiveChecker::kPauseMs + 50);
        }
        std::sort(keyMs.begin(), keyMs.end());
        state.SetIterationTime(keyMs.back() * 1e-3);
        state.counters["open_ms"] = openMs;
        state.counters["median_key_ms"] = keyMs[keyMs.size() / 2];
        state.counters["slowest_key_ms"] = keyMs.back();
    }
}

void BM_ListingUnsavedCharts(benchmark::State& state) {
    QTemporaryDir folder;
    // One killed run's recovery file and the lock it held, copied as many times as asked.
    {
        ChartRecovery killed(folder.path());
        QString error;
        static_cast<void>(killed.Write(folder.filePath("song.kaz"), ChartFileFormat{},
                                       QString::fromStdString(bench::BluesChart(48)), error));
        const QStringList kept = QDir(folder.path()).entryList({"*.kazrecovery"});
        QFile::copy(folder.filePath(kept.front()), folder.filePath("left.json"));
        // The lock names this run; a run that has ended names one that is gone.
        QFile lock(folder.filePath(kept.front() + ".lock"));
        static_cast<void>(lock.open(QIODevice::ReadOnly));
        QByteArray held = lock.readAll();
        const pid_t ended = ::fork();
        if (ended == 0) {
            ::_exit(0);
        }
        ::waitpid(ended, nullptr, 0);
        held.replace(0, held.indexOf('\n'), QByteArray::number(ended));
        WriteFile(folder.filePath("left.lock"), held.toStdString());
    }
    for (int i = 0; i < state.range(0); ++i) {
        const QString name = folder.filePath(QStringLiteral("chart-%1.kazrecovery").arg(i));
        QFile::copy(folder.filePath("left.json"), name);
        QFile::copy(folder.filePath("left.lock"), name + ".lock");
    }
    for (auto _ : state) {
        QElapsedTimer elapsed;
        elapsed.start();
        const std::vector<LeftBehindWork> work = ChartRecovery::LeftBehind(folder.path());
        const double listed = static_cast<double>(elapsed.nsecsElapsed()) * 1e-9;
        const RecoveryDialog list(work, nullptr);
        state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) * 1e-9);
        state.counters["listed_ms"] = listed * 1e3;
        state.counters["charts"] = static_cast<double>(work.size());
    }
}

//! A port that notes when the first note is struck through it.
class FirstNotePort final : public MidiOutPort {
  public:
    FirstNotePort(std::unique_ptr<MidiOutPort> port, std::atomic<std::int64_t>& firstNoteNs)
        : port_(std::move(port)), firstNoteNs_(firstNoteNs) {}
    [[nodiscard]] bool OpenByName(const std::string& name) override { return port_->OpenByName(name); }
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        port_->SendShort(status, data1, data2);
        if ((status & kMessageMask) == kNoteOnStatus && data2 > 0 && firstNoteNs_.load() == 0) {
            firstNoteNs_.store(NowNs());
        }
    }
    void ResetAndClose() override { port_->ResetAndClose(); }
    [[nodiscard]] bool IsOpen() const override { return port_->IsOpen(); }
    [[nodiscard]] std::string Failure() const override { return port_->Failure(); }

    [[nodiscard]] static std::int64_t NowNs() {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

  private:
    std::unique_ptr<MidiOutPort> port_;
    std::atomic<std::int64_t>& firstNoteNs_;
};

enum class SoundsLoad { OnPlay, AheadStillLoading, AheadLoaded, SecondPlay };

//! The time from the Play command to the first note at the built-in synthesizer, and the longest the
//! window's event loop stood still meanwhile.
void BM_PlayToFirstSound(benchmark::State& state) {
    const auto load = static_cast<SoundsLoad>(state.range(0));
    QTemporaryDir folder;
    const QString chart = folder.filePath("song.kaz");
    WriteFile(chart, "[STYLE=Medium swing]\nDm7 G7 | Cmaj7 | Dm7 G7 | Cmaj7 |\n");
    qputenv("KAZ_AUDIO_DRIVER", "file");
    qputenv("KAZ_AUDIO_FILE", folder.filePath("sound.wav").toLocal8Bit());
    for (auto _ : state) {
        std::atomic<std::int64_t> firstNoteNs{0};
        auto ports = std::make_shared<LoadedPorts>(FileKinds::RegularOnly);
        Session session;
        session.devices = {std::string(kBuiltInSynthName)};
        session.makePort = [&] {
            // Loading on Play: the ports, and so the sounds, made afresh for every Play.
            auto port = load == SoundsLoad::OnPlay ? LoadedPorts(FileKinds::RegularOnly).MakePort()
                                                   : ports->MakePort();
            return std::make_unique<FirstNotePort>(std::move(port), firstNoteNs);
        };
        session.portReady = [&] { return load == SoundsLoad::OnPlay || ports->SoundsLoaded(); };
        MainWindow window(session);
        window.resize(760, 520);
        window.show();
        if (!window.LoadFile(chart)) {
            state.SkipWithError("the chart did not open");
            return;
        }
        QApplication::processEvents();
        if (load != SoundsLoad::OnPlay) {
            ports->LoadAhead();
        }
        if (load == SoundsLoad::AheadLoaded || load == SoundsLoad::SecondPlay) {
            QTest::qWaitFor([&] { return ports->SoundsLoaded(); }, 30000);
        }
        if (load == SoundsLoad::SecondPlay) {
            window.Actions().play->trigger();
            QTest::qWaitFor([&] { return firstNoteNs.load() != 0; }, 30000);
            window.Playback().Stop();
            QApplication::processEvents();
            firstNoteNs.store(0);
        }
        std::int64_t longestStallNs = 0;
        std::int64_t lastTurnNs = FirstNotePort::NowNs();
        QTimer turns;
        QObject::connect(&turns, &QTimer::timeout, [&] {
            const std::int64_t now = FirstNotePort::NowNs();
            longestStallNs = std::max(longestStallNs, now - lastTurnNs);
            lastTurnNs = now;
        });
        turns.start(5);
        const std::int64_t pressedNs = FirstNotePort::NowNs();
        lastTurnNs = pressedNs;
        window.Actions().play->trigger();
        longestStallNs = std::max(longestStallNs, FirstNotePort::NowNs() - lastTurnNs);
        if (!QTest::qWaitFor([&] { return firstNoteNs.load() != 0; }, 30000)) {
            state.SkipWithError("no note sounded");
            return;
        }
        const double firstSoundMs = static_cast<double>(firstNoteNs.load() - pressedNs) * 1e-6;
        state.SetIterationTime(firstSoundMs * 1e-3);
        state.counters["first_sound_ms"] = firstSoundMs;
        state.counters["longest_stall_ms"] = static_cast<double>(longestStallNs) * 1e-6;
        window.Playback().Stop();
        QApplication::processEvents();
    }
}

BENCHMARK(BM_PlayToFirstSound)
    ->ArgName("sounds_on_play_ahead_loading_loaded_second")
    ->Arg(static_cast<int>(SoundsLoad::OnPlay))
    ->Arg(static_cast<int>(SoundsLoad::AheadStillLoading))
    ->Arg(static_cast<int>(SoundsLoad::AheadLoaded))
    ->Arg(static_cast<int>(SoundsLoad::SecondPlay))
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpToFirstPaint)
    ->ArgName("settings_KB")
    ->Arg(0)
    ->Arg(250)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaybackLatenessInTheWindow)
    ->ArgNames({"other_core_busy", "follow_view", "chart_view", "funk", "edits"})
    ->Args({0, 0, 0, 0, 0})
    ->Args({1, 0, 0, 0, 0})
    ->Args({0, 1, 0, 0, 0})
    ->Args({1, 1, 0, 0, 0})
    ->Args({0, 0, 1, 0, 0})
    ->Args({1, 0, 1, 0, 0})
    ->Args({0, 1, 1, 1, 0})
    ->Args({1, 1, 1, 1, 0})
    ->Args({0, 1, 1, 0, 0})
    ->Args({0, 1, 1, 0, 1})
    ->Args({1, 1, 1, 0, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_TypingInA50000LineChart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypingOnALongLine)
    ->ArgName("characters")
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(4000)
    ->Arg(6000)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListingUnsavedCharts)
    ->ArgName("charts")
    ->Arg(10)
    ->Arg(10000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeToCheckAndChartView)
    ->ArgName("chart_view")
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
