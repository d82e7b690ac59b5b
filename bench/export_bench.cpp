// Exporting generated 12-bar-blues charts end to end, as `kaz-cli export` does: read the chart file, compile
// it into the performance, write the MIDI file. The song is the one the peer programs are timed on, one or
// two chords a bar, four bars a line. Reports chart text per second, events per second and the peak memory of
// the process; the stages run alone too, to show where the time goes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#ifdef __unix__
#include <sys/resource.h>
#endif

#include "bench_charts.h"
#include "language/compile_score.h"
#include "midi/midi_file_writer.h"

namespace {

namespace fs = std::filesystem;

//! The peers' 12-bar blues in F as a chart of the given number of measures.
std::string PeerBlues(int measures) {
    static constexpr const char* kBars[12] = {"F7", "Bb7",   "F7",  "F7", "Bb7",    "Bb7",
                                              "F7", "D7 G7", "Gm7", "C7", "F7 Dm7", "Gm7 C7"};
    std::string text = "[4/4]\n";
    for (int i = 0; i < measures; ++i) {
        text += kBars[i % 12];
        text += (i % 4 == 3 || i == measures - 1) ? " |\n" : " | ";
    }
    return text;
}

//! A chart file of the given size and the MIDI file written from it, both removed afterwards.
class ChartFiles {
  public:
    explicit ChartFiles(int measures)
        : chart_(fs::temp_directory_path() / ("kaz-bench-" + std::to_string(measures) + ".kaz")),
          midi_(fs::temp_directory_path() / ("kaz-bench-" + std::to_string(measures) + ".mid")) {
        std::ofstream(chart_, std::ios::binary) << PeerBlues(measures);
    }
    ~ChartFiles() {
        std::error_code error;
        fs::remove(chart_, error);
        fs::remove(midi_, error);
    }
    [[nodiscard]] const fs::path& Chart() const { return chart_; }
    [[nodiscard]] const fs::path& Midi() const { return midi_; }

  private:
    fs::path chart_;
    fs::path midi_;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void ReportRates(benchmark::State& state, std::size_t chartBytes, std::size_t events) {
    const auto iterations = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(chartBytes));
    state.counters["events"] = static_cast<double>(events);
    state.counters["events_per_second"] =
        benchmark::Counter(iterations * static_cast<double>(events), benchmark::Counter::kIsRate);
#ifdef __unix__
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
#endif
}

// Read, compile, render and write: the whole of `kaz-cli export` but the start of the process.
void ExportEndToEnd(benchmark::State& state) {
    const ChartFiles files(static_cast<int>(state.range(0)));
    std::size_t chartBytes = 0;
    std::size_t events = 0;
    for (auto _ : state) {
        std::string text = ReadFile(files.Chart());
        chartBytes = text.size();
        const auto chart = kaz::bench::CompileOrAbort(std::move(text));
        if (!kaz::ExportMidiFile(chart->performance, files.Midi())) {
            std::abort();
        }
        events = chart->performance.size();
    }
    ReportRates(state, chartBytes, events);
    state.counters["midi_bytes"] = static_cast<double>(fs::file_size(files.Midi()));
}

// Scanning, parsing and chord analysis with the renderer: the compile alone.
void CompileAndRender(benchmark::State& state) {
    const std::string text = PeerBlues(static_cast<int>(state.range(0)));
    std::size_t events = 0;
    for (auto _ : state) {
        events = kaz::bench::CompileOrAbort(text)->performance.size();
    }
    ReportRates(state, text.size(), events);
}

// The renderer alone, on a read score: notes, pending note-offs and the final ordering of the list.
void RenderOnly(benchmark::State& state) {
    const std::string text = PeerBlues(static_cast<int>(state.range(0)));
    kaz::bench::ReadChart chart;
    kaz::bench::ReadToRender(chart, text);
    const kaz::RenderSettings settings;
    kaz::EventList events;
    for (auto _ : state) {
        events.Clear();
        if (!kaz::RenderArrangement(chart.score, settings, events)) {
            std::abort();
        }
    }
    ReportRates(state, text.size(), events.size());
}

// The MIDI file writer alone: every event's bytes, the temporary file and its rename.
void WriteOnly(benchmark::State& state) {
    const ChartFiles files(static_cast<int>(state.range(0)));
    const std::string text = ReadFile(files.Chart());
    const auto chart = kaz::bench::CompileOrAbort(text);
    for (auto _ : state) {
        if (!kaz::ExportMidiFile(chart->performance, files.Midi())) {
            std::abort();
        }
    }
    ReportRates(state, text.size(), chart->performance.size());
    state.counters["midi_bytes"] = static_cast<double>(fs::file_size(files.Midi()));
}

BENCHMARK(ExportEndToEnd)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileAndRender)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderOnly)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteOnly)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
