#include "app/editor/text_change.h"

#include <QTextCursor>

#include "app/editor/chart_editor.h"
#include "base/text_positions.h"

namespace kaz {

void ApplyTextChange(ChartEditor& editor, const TextChange& change) {
    const std::string text = editor.Text().toStdString();
    const TextPositionMap positions(text);
    const TextRange units =
        positions.ToEditor({static_cast<int>(change.start), static_cast<int>(change.end)});
    QTextCursor cursor(editor.document());
    cursor.setPosition(units.start);
    cursor.setPosition(units.end, QTextCursor::KeepAnchor);
    cursor.insertText(QString::fromStdString(change.replacement));
}

}  // namespace kaz
