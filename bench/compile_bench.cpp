// Compiling generated charts: scan, parse and analyse alone, and the whole compile with the performance.
// Reports chart text per second and the memory the compile's results hold, per chord.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "bench_charts.h"
#include "language/chart_line_scanner.h"
#include "language/compile_score.h"
#include "language/parse_chart.h"

namespace {

std::atomic<std::size_t> liveBytes{0};

//! The bytes what read holds once it has read the chart, per chord of its score.
template <typename Read>
void ReportMemoryPerChord(benchmark::State& state, const Read& read) {
    const std::size_t before = liveBytes.load();
    const auto held = read();
    const auto bytes = static_cast<double>(liveBytes.load() - before);
    const std::size_t chords = held->score.allChords.size();
    state.counters["bytes_per_chord"] = bytes / static_cast<double>(chords);
    state.counters["chords"] = static_cast<double>(chords);
}

void ScanParseAnalyse(benchmark::State& state) {
    const std::string text = kaz::bench::BluesChart(static_cast<int>(state.range(0)));
    kaz::bench::ReadChart chart;
    for (auto _ : state) {
        kaz::bench::ParseOnly(chart, text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    ReportMemoryPerChord(state, [&] {
        auto read = std::make_unique<kaz::bench::ReadChart>();
        kaz::bench::ParseOnly(*read, text);
        return read;
    });
}

void CompileWithPerformance(benchmark::State& state) {
    const std::string text = kaz::bench::BluesChart(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kaz::bench::CompileOrAbort(text).get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    ReportMemoryPerChord(state, [&] { return kaz::bench::CompileOrAbort(text); });
}

void CompileWith(benchmark::State& state, const std::string& text) {
    std::size_t played = 0;
    for (auto _ : state) {
        played += kaz::bench::CompileOrAbort(text)->score.playOrder.size();
    }
    state.counters["ns_per_played_measure"] = benchmark::Counter(
        static_cast<double>(played), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

//! The flat chart against the same song written a tenth as long with repeats: time per played measure.
void CompileFlat(benchmark::State& state) {
    CompileWith(state, kaz::bench::BluesChart(static_cast<int>(state.range(0))));
}

void CompileWithRepeats(benchmark::State& state) {
    CompileWith(state, kaz::bench::RepeatedBluesChart(static_cast<int>(state.range(0)) / 10, 10));
}

//! What the editor's check as you type runs on a chart with form marks.
void CheckFormChart(benchmark::State& state) {
    CompileWith(state, kaz::bench::FormChart(static_cast<int>(state.range(0))));
}

//! Scanning the chart a line at a time, as the editor colours it when the chart is opened.
void ScanLineByLine(benchmark::State& state) {
    const std::string text = kaz::bench::BluesChart(static_cast<int>(state.range(0)));
    kaz::ChartLineScanner scanner;
    std::size_t lines = 0;
    for (auto _ : state) {
        kaz::ChartLineState lineState = kaz::ChartLineState::Chords;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
            const kaz::ScannedChartLine line =
                scanner.Scan(std::string_view(text).substr(start, end - start), lineState);
            lineState = line.end;
            benchmark::DoNotOptimize(line.tokens.data());
            start = end;
            ++lines;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["ns_per_line"] = benchmark::Counter(
        static_cast<double>(lines), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(ScanParseAnalyse)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileWithPerformance)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanLineByLine)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileFlat)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileWithRepeats)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckFormChart)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

// Count the bytes the compile holds.
void* operator new(std::size_t size) {
    void* pointer = std::malloc(size + sizeof(std::max_align_t));
    if (pointer == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(pointer) = size;
    liveBytes += size;
    return static_cast<char*>(pointer) + sizeof(std::max_align_t);
}

void operator delete(void* pointer) noexcept {
    if (pointer != nullptr) {
        void* block = static_cast<char*>(pointer) - sizeof(std::max_align_t);
        liveBytes -= *static_cast<std::size_t*>(block);
        std::free(block);
    }
}

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

// The long record lists take their large slabs aligned to huge pages: the size goes in front of the slab, one
// alignment's worth of bytes before it.
void* operator new(std::size_t size, std::align_val_t alignment) {
    const auto align = static_cast<std::size_t>(alignment);
    void* pointer = std::aligned_alloc(align, (size + 2 * align - 1) / align * align);
    if (pointer == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(pointer) = size;
    liveBytes += size;
    return static_cast<char*>(pointer) + align;
}

void operator delete(void* pointer, std::align_val_t alignment) noexcept {
    if (pointer != nullptr) {
        void* block = static_cast<char*>(pointer) - static_cast<std::size_t>(alignment);
        liveBytes -= *static_cast<std::size_t*>(block);
        std::free(block);
    }
}

void operator delete(void* pointer, std::size_t, std::align_val_t alignment) noexcept {
    operator delete(pointer, alignment);
}

BENCHMARK_MAIN();
