#pragma once

#include "base/compile_context.h"
#include "harmony/score_tree.h"
#include "style/style_library.h"

namespace kaz {

//! "Unknown style" for the first style mark whose name library does not know (any name but the block
//! chords' without a library), the whole mark selected. False after reporting it.
[[nodiscard]] bool CheckStyleMarks(const ScoreTree& score, CompileContext& context,
                                   const StyleLibrary* library);

}  // namespace kaz
