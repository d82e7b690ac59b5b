#pragma once

#include "base/compile_context.h"
#include "harmony/score_tree.h"

namespace kaz {

//! Lay out the order in which the performance plays the written measures of a parsed score, in
//! score.playOrder: the slots of the score's lines one after the other, through its repeats, endings and
//! jumps. False after reporting an error through context: a form that cannot be played, or one that plays
//! more than a million measures (more than the chart writes, when it writes more).
[[nodiscard]] bool UnrollForm(ScoreTree& score, CompileContext& context);

//! Whether an unrolled score plays its written measures once each, in the order written: then a played
//! measure's number is its written one.
[[nodiscard]] bool PlaysAsWritten(const ScoreTree& score);

}  // namespace kaz
