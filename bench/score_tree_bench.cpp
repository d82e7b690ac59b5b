// Building the score tree: chord analysis alone, and charts whose every line repeats the line before with
// '%' signs, which must stay linear in the length of the chart.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "bench_charts.h"
#include "harmony/chord_analysis.h"
#include "language/compile_score.h"
#include "language/parse_chart.h"

namespace {

void AnalyzeCommonChords(benchmark::State& state) {
    const std::vector<std::string> symbols = {"C",     "Am7",    "F#m7-5", "Bb6add9", "C/E",  "G7+9",
                                              "Dsus4", "Ebmaj7", "-",      "/",       "Hdim", "E7-13"};
    kaz::ChordDefinitions definitions;
    kaz::Chord chord;
    for (auto _ : state) {
        kaz::ScoreTree score;
        for (const std::string& symbol : symbols) {
            benchmark::DoNotOptimize(kaz::AnalyzeChord(chord, symbol, score, definitions));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * symbols.size()));
}

// Lines of four measures, each line after the first the repeat of the line before: "| % | % | % | % |".
std::string RepeatedLinesChart(int measures) {
    std::string text = "| C | Am7 | Dm7 | G7 |\n";
    for (int i = 4; i < measures; i += 4) {
        text += "| %%%% |\n";
    }
    return text;
}

void ParseRepeatedLines(benchmark::State& state) {
    const std::string text = RepeatedLinesChart(static_cast<int>(state.range(0)));
    kaz::bench::ReadChart chart;
    for (auto _ : state) {
        kaz::bench::ParseOnly(chart, text);
    }
    state.counters["measures"] = chart.score.CountMeasures();
    state.SetComplexityN(state.range(0));
}

BENCHMARK(AnalyzeCommonChords);
BENCHMARK(ParseRepeatedLines)
    ->Arg(1200)
    ->Arg(12000)
    ->Arg(120000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
