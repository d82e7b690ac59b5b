#pragma once

#include <vector>

#include "base/compile_context.h"
#include "base/ticks.h"
#include "harmony/score_tree.h"

namespace kaz {

//! Lay out the order in which the performance plays the written measures of a parsed score, in
//! score.playOrder: the slots of the score's lines one after the other, through its repeats, endings and
//! jumps. False after reporting an error through context: a form that cannot be played, or one that plays
//! more than a million measures (more than the chart writes, when it writes more).
[[nodiscard]] bool UnrollForm(ScoreTree& score, CompileContext& context);

//! A played measure whose number is not the written one's, or that is played again.
struct MeasurePlayedAgain {
    Ticks start = 0;
    int played = 0;   //!< one-based, in playing order
    int written = 0;  //!< one-based, in the text
    int pass = 1;
};

//! Every measure of score.playOrder played elsewhere than it is written, in playing order; none for a song
//! without repeats and jumps.
[[nodiscard]] std::vector<MeasurePlayedAgain> MeasuresPlayedAgain(const ScoreTree& score);

}  // namespace kaz
