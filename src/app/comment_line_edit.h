#pragma once

#include <optional>
#include <string>

#include "chart/comment_line.h"

namespace kaz {

class ChartEditor;

//! Make change, worked out on text (the editor's text as UTF-8), in the editor as one step the user can undo.
void ApplyToEditor(ChartEditor& editor, const std::string& text, const std::optional<TextChange>& change);

}  // namespace kaz
