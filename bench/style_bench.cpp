// Playing a chart in an accompaniment style: the renderer alone on a compiled 12-bar blues, in the block
// chords and in Medium swing, from 1,200 to 120,000 measures (and at 12,000 in the busiest grooves, Funk and
// Medium up swing), so the cost of the band shows beside the plain block chords and its growth with the
// song's length, once keeping the whole performance as Play does and once handing it on as it is made, as
// the MIDI export does; the whole MIDI export of the same songs, compile and file included; and Export to
// Audio of a five-minute song in a style with drums, through the built-in synthesizer, with how many times
// faster than real time it runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "bench_charts.h"
#include "language/compile_score.h"
#include "midi/device/audio_render.h"
#include "midi/midi_file_writer.h"

namespace {

namespace fs = std::filesystem;

std::shared_ptr<const kaz::StyleLibrary> ShippedStyles() {
    static const auto library = std::make_shared<const kaz::StyleLibrary>(kaz::LoadStyles({KAZ_STYLES}));
    return library;
}

//! A compile state that plays in style (empty for the block chords), with chart compiled.
void CompileInStyle(kaz::CompileState& state, const std::string& chart, const std::string& style) {
    state.settings.style.library = ShippedStyles();
    state.settings.style.name = style;
    if (!kaz::Compile(state, chart).Accepted()) {
        std::abort();
    }
}

void RenderInStyle(benchmark::State& state, const std::string& style) {
    const std::string chart = kaz::bench::BluesChart(static_cast<int>(state.range(0)));
    kaz::CompileState compileState;
    CompileInStyle(compileState, chart, style);
    for (auto _ : state) {
        // An English chart is left as it is by the renderer, so one score renders again and again.
        compileState.events.Clear();
        if (!kaz::RenderArrangement(compileState.score, compileState.settings, compileState.events)) {
            std::abort();
        }
    }
    state.counters["events"] = static_cast<double>(compileState.events.size());
    state.counters["measures_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsRate);
}

//! Takes the performance as the MIDI export does, a piece at a time, and keeps only the count.
class CountingConsumer final : public kaz::EventConsumer {
  public:
    void Take(std::span<const kaz::MidiEvent> events) override { count += events.size(); }
    std::size_t count = 0;
};

// As the MIDI export renders: the performance handed on while it is made, so memory stays small.
void RenderStreamedInStyle(benchmark::State& state, const std::string& style) {
    const std::string chart = kaz::bench::BluesChart(static_cast<int>(state.range(0)));
    kaz::CompileState compileState;
    CompileInStyle(compileState, chart, style);
    CountingConsumer consumer;
    compileState.events.StreamTo(&consumer);
    for (auto _ : state) {
        consumer.count = 0;
        compileState.events.Clear();
        if (!kaz::RenderArrangement(compileState.score, compileState.settings, compileState.events)) {
            std::abort();
        }
    }
    state.counters["events"] = static_cast<double>(consumer.count);
    state.counters["measures_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsRate);
}

void StreamBlockChords(benchmark::State& state) {
    RenderStreamedInStyle(state, "");
}

void StreamMediumSwing(benchmark::State& state) {
    RenderStreamedInStyle(state, "Medium swing");
}

// The whole of `kaz-cli export` but reading the file and starting the process: the chart compiled, its
// performance written to a MIDI file as it is made.
void ExportInStyle(benchmark::State& state, const std::string& style) {
    const std::string chart = kaz::bench::BluesChart(static_cast<int>(state.range(0)));
    const fs::path midi = fs::temp_directory_path() / "kaz-bench-style.mid";
    for (auto _ : state) {
        kaz::CompileState compileState;
        kaz::MidiFileExport file(midi, false);
        compileState.events.StreamTo(&file);
        CompileInStyle(compileState, chart, style);
        if (!file.Close()) {
            state.SkipWithError("the MIDI file could not be written");
            break;
        }
    }
    state.counters["midi_bytes"] = static_cast<double>(fs::file_size(midi));
    std::error_code ignored;
    fs::remove(midi, ignored);
}

void ExportBlockChords(benchmark::State& state) {
    ExportInStyle(state, "");
}

void ExportMediumSwing(benchmark::State& state) {
    ExportInStyle(state, "Medium swing");
}

// The busiest grooves: sixteenths on two chord parts (Medium up swing has a piano and a guitar).
void RenderFunk(benchmark::State& state) {
    RenderInStyle(state, "Funk");
}

void RenderMediumUpSwing(benchmark::State& state) {
    RenderInStyle(state, "Medium up swing");
}

void RenderBlockChords(benchmark::State& state) {
    RenderInStyle(state, "");
}

void RenderMediumSwing(benchmark::State& state) {
    RenderInStyle(state, "Medium swing");
}

// Five minutes at 120: 150 measures of 4/4, in a style with drums on every beat.
void ExportAudioInStyle(benchmark::State& state, const std::string& style) {
    constexpr int kMeasures = 150;
    constexpr double kSongSeconds = kMeasures * 4 * 60.0 / 120.0;
    kaz::CompileState compileState;
    CompileInStyle(compileState, kaz::bench::BluesChart(kMeasures), style);
    const fs::path wav = fs::temp_directory_path() / "kaz-bench-style.wav";
    std::string error;
    for (auto _ : state) {
        if (kaz::RenderAudio(compileState.events, 120, wav.string(), kaz::AudioFormat::Wav,
                             kaz::SynthOptions{}, {}, error) != kaz::RenderOutcome::Written) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    std::error_code ignored;
    fs::remove(wav, ignored);
    // Seconds of song per second of rendering: above 1 is faster than real time.
    state.counters["times_real_time"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSongSeconds, benchmark::Counter::kIsRate);
}

void ExportAudioMediumSwing(benchmark::State& state) {
    ExportAudioInStyle(state, "Medium swing");
}

void ExportAudioFunk(benchmark::State& state) {
    ExportAudioInStyle(state, "Funk");
}

BENCHMARK(RenderBlockChords)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderMediumSwing)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderFunk)->Arg(12000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderMediumUpSwing)->Arg(12000)->Unit(benchmark::kMillisecond);
BENCHMARK(StreamBlockChords)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(StreamMediumSwing)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportBlockChords)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportMediumSwing)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportAudioMediumSwing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ExportAudioFunk)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
