#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "base/compile_context.h"
#include "language/compile_score.h"
#include "language/parse_chart.h"
#include "render/form_unrolling.h"

namespace kaz::bench {

//! A 12-bar jazz blues in F, four bars a line, one or two chords a bar, repeated to the given number of
//! measures.
inline std::string BluesChart(int measures) {
    static constexpr const char* kBars[12] = {"F7",    "Bb7", "F7",  "Cm7 F7", "Bb7",    "Bdim7",
                                              "F7 D7", "% ",  "Gm7", "C7",     "Am7 D7", "Gm7 C7"};
    std::string text = "# generated blues\n[4/4]\n";
    text.reserve(static_cast<std::size_t>(measures) * 8 + 32);
    for (int i = 0; i < measures; ++i) {
        text += kBars[i % 12];
        text += (i % 4 == 3) ? " |\n" : " | ";
    }
    return text;
}

//! The same blues written with its form: every chorus of twelve measures between repeat signs, played
//! times times, so the song plays times × measures.
inline std::string RepeatedBluesChart(int measures, int times) {
    const std::string flat = BluesChart(measures);
    std::string text = "# generated blues with repeats\n[4/4]\n";
    std::size_t start = flat.find("[4/4]\n") + 6;
    for (int chorus = 0; chorus < measures / 12; ++chorus) {
        // Three lines of four measures a chorus.
        std::size_t end = start;
        for (int line = 0; line < 3; ++line) {
            end = flat.find('\n', end) + 1;
        }
        std::string block = flat.substr(start, end - start - 3);  // without the last " |\n"
        text += "|: " + block + " :| x" + std::to_string(times) + "\n";
        start = end;
    }
    return text;
}

//! A song of about the given number of measures with every kind of form mark: sections, repeats with two
//! endings, a segno, a coda, and a jump back, as the editor checks it while the user types.
inline std::string FormChart(int measures) {
    std::string text = "# generated form\n[4/4]\n[SEGNO]\n";
    for (int written = 0; written + 16 <= measures - 8; written += 16) {
        text += written % 32 == 0 ? "[A]\n" : "[B]\n";
        text += "|: F7 | Bb7 | F7 | Cm7 F7 |\nBb7 | Bdim7 | [1.] F7 D7 | Gm7 C7 :|\n";
        text += "[2.] Gm7 | C7 | Am7 D7 | Gm7 C7 |\nF7 | Bb7 | F7 | % |\n";
    }
    text += "F7 | Bb7 [TO CODA] | F7 | C7 [D.S. al Coda] |\n[CODA]\nF7 | Bb7 | F7 C7 | F7 |\n";
    return text;
}

//! A chart read into its score without its performance, for the benchmarks of the stages a compile runs.
struct ReadChart {
    CompileContext context;
    ScoreTree score;
    ChordDefinitions chordDefinitions;
};

//! Scan, parse and analyse text into chart's score tree, as the compile reads it, without the performance.
inline void ParseOnly(ReadChart& chart, std::string_view text) {
    chart.score.Clear();
    chart.score.ResetCompileState();
    chart.score.ReserveForChart(text.size());
    chart.context.Reset(text);
    ScoreBuilder builder(chart.score, chart.context, chart.chordDefinitions);
    if (ParseChart(chart.context, builder, chart.chordDefinitions) != kParseAccepted) {
        std::abort();
    }
}

//! The same with the form unrolled into the measures as they play: a score the renderer plays again and
//! again (an English chart is left as it is by the renderer).
inline void ReadToRender(ReadChart& chart, std::string_view text) {
    ParseOnly(chart, text);
    if (!UnrollForm(chart.score, chart.context)) {
        std::abort();
    }
}

//! Compile text, which must be accepted.
inline std::shared_ptr<const CompiledChart> CompileOrAbort(std::string text,
                                                           const CompileOptions& options = {}) {
    std::shared_ptr<const CompiledChart> chart = Compile(std::move(text), options);
    if (!chart->Accepted()) {
        std::abort();
    }
    return chart;
}

}  // namespace kaz::bench
