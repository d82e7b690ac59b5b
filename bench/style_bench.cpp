// Playing a chart in an accompaniment style: the renderer alone on a compiled 12-bar blues, in the block
// chords and in Medium swing, from 1,200 to 120,000 measures (and at 12,000 in the busiest grooves, Funk and
// Medium up swing), so the cost of the band shows beside the plain block chords and its growth with the
// song's length, once keeping the whole performance as Play does and once handing it on as it is made, as
// the MIDI export does; the whole MIDI export of the same songs, compile and file included (and at 12,000
// in the busiest grooves, against the block chords); and Export to
// Audio of a five-minute song in a style with drums, through the built-in synthesizer, with how many times
// faster than real time it runs; and the loading of the default SoundFont, which the window does ahead, off
// its thread (window_bench times Play to the first note).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "bench_charts.h"
#include "language/compile_score.h"
#include "midi/device/audio_render.h"
#include "midi/device/builtin_synth.h"
#include "midi/midi_file_writer.h"

namespace {

namespace fs = std::filesystem;

std::shared_ptr<const kaz::StyleLibrary> ShippedStyles() {
    static const auto library = std::make_shared<const kaz::StyleLibrary>(kaz::LoadStyles({KAZ_STYLES}));
    return library;
}

//! The settings that play in style (none for the block chords).
kaz::RenderSettings InStyle(const std::string& style) {
    kaz::RenderSettings settings;
    settings.style.library = ShippedStyles();
    settings.style.name = style;
    return settings;
}

//! Render the blues of state.range(0) measures in style again and again into events, which keep the
//! performance or hand it on.
void RenderBlues(benchmark::State& state, const std::string& style, kaz::EventList& events) {
    const std::string text = kaz::bench::BluesChart(static_cast<int>(state.range(0)));
    const kaz::RenderSettings settings = InStyle(style);
    kaz::bench::ReadChart chart;
    kaz::bench::ReadToRender(chart, text);
    for (auto _ : state) {
        events.Clear();
        if (!kaz::RenderArrangement(chart.score, settings, events)) {
            std::abort();
        }
    }
    state.counters["measures_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsRate);
}

void RenderInStyle(benchmark::State& state, const std::string& style) {
    kaz::EventList events;
    RenderBlues(state, style, events);
    state.counters["events"] = static_cast<double>(events.size());
}

//! Takes the performance as the MIDI export does, a piece at a time, and keeps only the count.
class CountingConsumer final : public kaz::EventConsumer {
  public:
    void Take(std::span<const kaz::MidiEvent> events) override { count += events.size(); }
    std::size_t count = 0;
};

// As the MIDI export renders: the performance handed on while it is made, so memory stays small.
void RenderStreamedInStyle(benchmark::State& state, const std::string& style) {
    CountingConsumer consumer;
    kaz::EventList events;
    events.StreamTo(&consumer);
    RenderBlues(state, style, events);
    state.counters["events"] = static_cast<double>(consumer.count) / static_cast<double>(state.iterations());
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
    kaz::CompileOptions options;
    options.settings = InStyle(style);
    for (auto _ : state) {
        kaz::MidiFileExport file(midi, false);
        options.stream = &file;
        if (!kaz::Compile(chart, options)->Accepted() || !file.Close()) {
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
void ExportFunk(benchmark::State& state) {
    ExportInStyle(state, "Funk");
}

void ExportMediumUpSwing(benchmark::State& state) {
    ExportInStyle(state, "Medium up swing");
}

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
    kaz::CompileOptions options;
    options.settings = InStyle(style);
    const auto chart = kaz::bench::CompileOrAbort(kaz::bench::BluesChart(kMeasures), options);
    const fs::path wav = fs::temp_directory_path() / "kaz-bench-style.wav";
    kaz::Message error;
    for (auto _ : state) {
        if (kaz::RenderAudio(chart->performance, 120, wav.string(), kaz::AudioFormat::Wav,
                             kaz::SynthOptions{}, {}, error) != kaz::RenderOutcome::Written) {
            state.SkipWithError(error.English().c_str());
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

// The default SoundFont loaded into a new synthesizer: what every Play with the built-in synthesizer once
// waited for before its first note, and the window now loads ahead.
void LoadDefaultSoundFont(benchmark::State& state) {
    for (auto _ : state) {
        if (kaz::SoundFontSynth::Create(kaz::SynthOptions{}) == nullptr) {
            state.SkipWithError("no SoundFont is installed");
            break;
        }
    }
}

BENCHMARK(RenderBlockChords)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderMediumSwing)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderFunk)->Arg(12000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderMediumUpSwing)->Arg(12000)->Unit(benchmark::kMillisecond);
BENCHMARK(StreamBlockChords)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(StreamMediumSwing)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportBlockChords)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportMediumSwing)->Arg(1200)->Arg(12000)->Arg(120000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportFunk)->Arg(12000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportMediumUpSwing)->Arg(12000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportAudioMediumSwing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ExportAudioFunk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LoadDefaultSoundFont)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
