#pragma once

#include "base/compile_context.h"
#include "harmony/score_tree.h"

namespace kaz {

//! Lay out the order in which the performance plays the written measures of a parsed score, in
//! score.playOrder: the slots of the score's lines one after the other. False after reporting an error
//! through context.
[[nodiscard]] bool UnrollForm(ScoreTree& score, CompileContext& context);

}  // namespace kaz
