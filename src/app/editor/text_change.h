#pragma once

#include "base/program_lines.h"

namespace kaz {

class ChartEditor;

//! Make change, given in bytes of the editor's text, to the chart in editor as one step the user can undo,
//! leaving the caret where it is.
void ApplyTextChange(ChartEditor& editor, const TextChange& change);

}  // namespace kaz
