// Transposing generated charts: the rewrite alone as the Transpose command makes it, the whole command
// (compile and rewrite) as kaz-cli and the window run it, and, for contrast, the rewrite made by splicing
// every replacement into the whole text.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_charts.h"
#include "harmony/spliced_text.h"
#include "language/transpose_score.h"

namespace {

//! The blues has 15 chords in every 12 measures.
std::string ChartOfChords(std::int64_t chords) {
    return kaz::bench::BluesChart(static_cast<int>(chords * 12 / 15));
}

kaz::TransposeResult UpAWholeTone() {
    kaz::NoteNameTables tables;
    kaz::TransposeDialogModel dialog(tables, kaz::kEnglishNotation);
    dialog.SelectEntry(kaz::TransposeDialogModel::kUnshiftedEntry + 2);
    return dialog.Accept();
}

//! Rewrite every chord of a compile of a chart of state.range(0) chords, each iteration into a fresh text
//! made by makeText and written through rewrite.
template <typename MakeText, typename RewriteText>
void Rewrite(benchmark::State& state, const MakeText& makeText, const RewriteText& rewrite) {
    const std::string text = ChartOfChords(state.range(0));
    const auto chart = kaz::bench::CompileOrAbort(text);
    const kaz::RecordList<kaz::Chord>& chords = chart->score.allChords;
    const kaz::TransposeResult result = UpAWholeTone();
    for (auto _ : state) {
        auto rewritten = makeText(text);
        rewrite(rewritten, chords, result);
        benchmark::DoNotOptimize(rewritten.size());
    }
    state.counters["chords"] = static_cast<double>(chords.size());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

//! The rewrite the Transpose command makes: replacements in text order cost time linear in the text.
void RewriteInOnePass(benchmark::State& state) {
    Rewrite(
        state, [](const std::string& text) { return kaz::SplicedText(text); },
        [](kaz::SplicedText& text, const kaz::RecordList<kaz::Chord>& chords,
           const kaz::TransposeResult& result) {
            kaz::ApplyTransposition(text, chords, result.shift, result.names);
            // The rewritten text whole, as the command hands it on.
            benchmark::DoNotOptimize(text.Text().data());
        });
}

//! For contrast: every replacement moves the whole rest of the text.
void RewriteByWholeTextSplices(benchmark::State& state) {
    Rewrite(
        state, [](const std::string& text) { return text; },
        [](std::string& text, const kaz::RecordList<kaz::Chord>& chords, const kaz::TransposeResult& result) {
            const kaz::TextReplacer replace = [&text](kaz::TextRange range, std::string_view replacement) {
                const auto start = static_cast<std::size_t>(range.start);
                text.replace(start, static_cast<std::size_t>(range.end) - start, replacement);
            };
            kaz::ApplyTransposition(replace, chords, result.shift, result.names);
        });
}

//! The whole command as kaz-cli and the window run it: the compile, then the rewrite of its chart.
void CompileAndTranspose(benchmark::State& state) {
    const std::string text = ChartOfChords(state.range(0));
    const kaz::TransposeResult result = UpAWholeTone();
    const kaz::TransposeChooser choose = [&](const kaz::TransposeOffer&) { return std::optional(result); };
    std::size_t chords = 0;
    for (auto _ : state) {
        const auto chart = kaz::Compile(text);
        const kaz::Transposition transposition = kaz::TransposeChart(*chart, choose);
        if (transposition.outcome != kaz::TransposeOutcome::Transposed) {
            std::abort();
        }
        benchmark::DoNotOptimize(transposition.text.size());
        chords = chart->score.allChords.size();
    }
    state.counters["chords"] = static_cast<double>(chords);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(RewriteInOnePass)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RewriteByWholeTextSplices)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(CompileAndTranspose)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
