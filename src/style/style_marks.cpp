#include "style/style_marks.h"

#include <algorithm>

namespace kaz {

bool CheckStyleMarks(const ScoreTree& score, CompileContext& context, const StyleLibrary* library) {
    const StyleLibrary none;
    for (const OpeningMark& mark : score.styleMarks) {
        if ((library != nullptr ? *library : none).Knows(mark.name)) {
            continue;
        }
        const std::string_view before =
            context.sourceText.substr(0, static_cast<std::size_t>(mark.textStart));
        const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
        ReportError(context, "Unknown style", mark.name, line, mark.textStart, mark.textEnd);
        return false;
    }
    return true;
}

}  // namespace kaz
