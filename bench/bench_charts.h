#pragma once

#include <cstdlib>
#include <string>

#include "base/compile_context.h"
#include "language/compile_score.h"
#include "language/parse_chart.h"

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

//! Scan, parse and analyse text into state's score tree, without the performance.
inline void ParseOnly(CompileState& state, std::string_view text) {
    state.score.Clear();
    state.score.ResetCompileState();
    state.context.Reset(text);
    ScoreBuilder builder(state.score, state.context, state.chordDefinitions);
    if (ParseChart(state.context, builder, state.chordDefinitions) != kParseAccepted) {
        std::abort();
    }
}

}  // namespace kaz::bench
