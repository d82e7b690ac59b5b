#pragma once

#include "base/compile_context.h"
#include "harmony/score_tree.h"

namespace kaz {

//! What a parsed chart's B spellings and German names say once all its chords are read, before it is played
//! under setting (the chart's own notation when it keeps one): German note names and lowercase minor
//! chords are read in German and mixed notation only, and an English chart that writes one is an error at
//! the first, saying how to write it; a chart whose only B spelling is a bare "B", and which does not say its
//! notation, gets a hint at its first B saying how it is read. False after reporting an error.
[[nodiscard]] bool CheckChartNotation(const ScoreTree& score, CompileContext& context, NotationMode setting);

//! The chord written in English note names, as an English chart writes it: "Fis7" as "F#7", "d7" as "Dm7",
//! "D/Es" as "D/Eb".
[[nodiscard]] std::string EnglishSpellingOf(const Chord& chord);

}  // namespace kaz
