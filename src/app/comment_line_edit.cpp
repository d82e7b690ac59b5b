#include "app/comment_line_edit.h"

#include <QTextCursor>

#include "app/editor/chart_editor.h"
#include "base/text_positions.h"

namespace kaz {

void ApplyToEditor(ChartEditor& editor, const std::string& text, const std::optional<TextChange>& change) {
    if (!change) {
        return;
    }
    const TextPositionMap positions(text);
    const TextRange units =
        positions.ToEditor({static_cast<int>(change->start), static_cast<int>(change->end)});
    QTextCursor cursor(editor.document());
    cursor.setPosition(units.start);
    cursor.setPosition(units.end, QTextCursor::KeepAnchor);
    cursor.insertText(QString::fromStdString(change->replacement));
}

}  // namespace kaz
