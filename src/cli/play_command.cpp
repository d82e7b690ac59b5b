#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <string>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "cli/cli_common.h"
#include "midi/device/system_outputs.h"
#include "midi/playback_engine.h"
#include "qt/qt_playback_timer.h"
#include "render/song_map.h"

namespace kaz::cli {

namespace {

//! Set by Ctrl+C (or a termination request); the playback tick notices it.
volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

bool IsTerminal(std::FILE* stream) {
#ifdef Q_OS_UNIX
    return isatty(fileno(stream)) != 0;
#else
    (void)stream;
    return false;
#endif
}

//! The one-line display: rewritten in place on a terminal, a line per chord change otherwise.
class LiveDisplay {
  public:
    explicit LiveDisplay(bool terminal) : terminal_(terminal) {}

    void Show(int measure, int measures, const std::string& chord, std::int32_t tempo, std::int64_t ms) {
        std::string line = "measure " + std::to_string(measure) + "/" + std::to_string(measures) + "  " +
                           (chord.empty() ? "-" : chord) + "  " + std::to_string(tempo) + " bpm";
        if (terminal_) {
            char time[32];
            std::snprintf(time, sizeof time, "  %lld:%04.1f", static_cast<long long>(ms / 60000),
                          static_cast<double>(ms % 60000) / 1000.0);
            line += time;
        }
        if (line == last_) {
            return;
        }
        last_ = line;
        std::fputs(terminal_ ? ("\r" + line + "\x1b[K").c_str() : (line + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
    void Finish() {
        if (terminal_ && !last_.empty()) {
            std::fputs("\n", stdout);
        }
    }

  private:
    bool terminal_;
    std::string last_;
};

//! Why the audio file of a recording (the "file" audio driver) cannot be written, before the synthesizer
//! starts writing it; empty when it can. Otherwise the recording fails as a device that does not open.
std::error_code RecordingProblem(const SynthOptions& options) {
    if (options.audioDrivers != std::vector<std::string>{"file"}) {
        return {};
    }
    const std::string& path = options.audioFile;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const bool writable = ::access(path.c_str(), F_OK) == 0 ? ::access(path.c_str(), W_OK) == 0
                                                            : ::access(folder.c_str(), W_OK | X_OK) == 0;
    return writable ? std::error_code() : std::error_code(errno, std::generic_category());
}

//! How often the live line is brought up to date, and a Ctrl+C noticed.
constexpr int kDisplayPeriodMs = 50;

int Play(const std::shared_ptr<const CompiledChart>& compiled, const std::string& chartName,
         const std::string& deviceName, bool loop) {
    // The playback's timers run in an event loop of Qt's.
    int argc = 1;
    char program[] = "kaz-cli";
    char* argv[] = {program, nullptr};
    QCoreApplication application(argc, argv);
    QtPlaybackClock clock;
    QtPlaybackTimer timer(clock);
    const SynthOptions options = SynthOptionsFromEnvironment();
    const DeviceMidiOutPort* opened = nullptr;  // owned by the engine while it plays
    bool interrupted = false;
    // Once playing, an output that fails is a recording that could not be written: a file error.
    bool recordingFailed = false;
    PlaybackSeams seams{
        clock, timer, [&opened, &options]() -> std::unique_ptr<MidiOutPort> {
            auto port = std::make_unique<DeviceMidiOutPort>(std::make_unique<SystemMidiOuts>(options));
            opened = port.get();
            return port;
        }};
    seams.failed = [&recordingFailed](const std::string& failure) {
        std::fprintf(stderr, "kaz-cli: %s\n", failure.c_str());
        recordingFailed = true;
    };
    PlaybackEngine playback(std::move(seams));
    // The chart's own tempo mark wins over --tempo.
    playback.SetPlaybackTempo(PerformanceTempo(compiled->score, compiled->settings));
    if (loop) {
        playback.OnLoop();
    }
    if (const std::string failure = playback.Play(compiled, deviceName); !failure.empty()) {
        std::fprintf(stderr, "kaz-cli: %s\n", failure.c_str());
        return failure != kCannotOpenMidiDevice ? kExitUsage : kExitChartError;
    }
    std::printf("Playing %s on %s%s\n", chartName.c_str(), opened->OpenedName().c_str(),
                loop ? ", looping" : "");
    std::fflush(stdout);

    const SongMap& song = *playback.PlayingSong();
    LiveDisplay display(IsTerminal(stdout));
    const std::int64_t start = clock.Milliseconds();
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, [&] {
        if (stopRequested != 0 && !playback.IsStopped()) {
            interrupted = true;
            playback.OnStop();
        }
        if (playback.IsStopped()) {
            refresh.stop();
            display.Finish();
            QCoreApplication::exit(interrupted ? 130 : recordingFailed ? kExitUsage : kExitOk);
            return;
        }
        const double position = playback.SongPosition();
        const int measure = song.MeasureAt(position);
        const Chord* chord = song.ChordAt(measure, position);
        display.Show(measure, song.MeasureCount(),
                     chord != nullptr ? std::string(chord->text()) : std::string(), playback.State().tempo,
                     clock.Milliseconds() - start);
    });
    refresh.start(kDisplayPeriodMs);
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    const int status = QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return status;
}

}  // namespace

int RunPlay(const CommandArguments& arguments) {
    CommandLine parser(
        "Play a chart in real time on a MIDI output, by default the built-in synthesizer. Ctrl+C stops.",
        SingleDashWords::LongOptions);
    parser.AddPositional("FILE", "The chart, or - for standard input.");
    AddChartOptions(parser);
    AddBandOptions(parser);
    parser.AddOption(
        {"device", "name", "The MIDI output to play on ('kaz-cli devices' lists them); default the first."});
    parser.AddOption({"loop", "", "Start again from the top at the end, until Ctrl+C."});
    CompileOptions options;
    if (const auto exit = ReadChartCommandLine(parser, arguments, 1, options.settings)) {
        return *exit;
    }
    const std::string& chartName = parser.Positionals().front();
    ChartInput chart;
    std::shared_ptr<const CompiledChart> compiled;
    if (const auto exit = ReadAndCompileChart(chartName, options, chart, compiled)) {
        return *exit;
    }
    const MidiOutDeviceNames devices = EnumerateMidiOutDevices();
    std::string deviceName = devices.empty() ? std::string() : devices.front();
    if (parser.IsSet("device")) {
        deviceName = parser.Value("device");
        if (std::find(devices.begin(), devices.end(), deviceName) == devices.end()) {
            std::fprintf(stderr, "kaz-cli: no MIDI output is called '%s'; playing on the first that opens\n",
                         deviceName.c_str());
        }
    }
    if (const SynthOptions options = SynthOptionsFromEnvironment();
        const std::error_code problem = RecordingProblem(options)) {
        return UsageError("cannot write the recording '" + options.audioFile + "': " + problem.message());
    }
    return Play(compiled, chartName, deviceName, parser.IsSet("loop"));
}

}  // namespace kaz::cli
