#include "app/editor/error_mark.h"

#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>

#include "app/editor/chart_editor.h"

namespace kaz {

namespace {

bool IsLineBreakOnly(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsEditorLineBreak);
}

}  // namespace

ErrorMark::ErrorMark(ChartEditor& editor) : QObject(&editor), editor_(editor) {
    editor.viewport()->installEventFilter(this);
}

void ErrorMark::Place(const TextPositionMap& positions, TextRange range, const QString& tip) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = editor_.CursorAt(positions, range);
    mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.format.setUnderlineColor(Qt::red);
    if (IsLineBreakOnly(mark.cursor.selectedText())) {
        mark.format.setBackground(QColor(255, 0, 0, 48));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    }
    editor_.SetMarks(ChartEditor::Marks::Check, {mark});
    marked_ = {{mark.cursor, tip}};
}

void ErrorMark::PlaceHints(const TextPositionMap& positions,
                           const std::vector<std::pair<TextRange, QString>>& hints) {
    QList<QTextEdit::ExtraSelection> marks;
    std::vector<Marked> marked;
    for (const auto& [range, tip] : hints) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = editor_.CursorAt(positions, range);
        mark.format.setUnderlineStyle(QTextCharFormat::DotLine);
        mark.format.setUnderlineColor(QColor(0x1e, 0x88, 0xe5));
        marks.append(mark);
        marked.push_back({mark.cursor, tip});
    }
    if (marks.isEmpty() && marked_.empty()) {
        return;
    }
    editor_.SetMarks(ChartEditor::Marks::Check, marks);
    marked_ = std::move(marked);
}

void ErrorMark::Clear() {
    if (!marked_.empty()) {
        editor_.SetMarks(ChartEditor::Marks::Check, {});
        marked_.clear();
    }
}

bool ErrorMark::IsOver(QPoint point, const QTextCursor& marked) const {
    QTextCursor character(editor_.document());
    const int near = editor_.cursorForPosition(point).position();
    // The point is nearest to the edge between two characters: it lies on one of them.
    for (int position = std::max(near - 1, marked.selectionStart());
         position <= near && position < marked.selectionEnd(); ++position) {
        character.setPosition(position);
        const QRect before = editor_.cursorRect(character);
        character.movePosition(QTextCursor::NextCharacter);
        const QRect after = editor_.cursorRect(character);
        // A character at the end of a screen line reaches to the viewport's edge.
        const int right = after.top() == before.top() ? after.left() : editor_.viewport()->width();
        if (point.y() >= before.top() && point.y() <= before.bottom() && point.x() >= before.left() &&
            point.x() < right) {
            return true;
        }
    }
    return false;
}

bool ErrorMark::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || watched != editor_.viewport() || marked_.empty()) {
        return QObject::eventFilter(watched, event);
    }
    const auto& help = static_cast<const QHelpEvent&>(*event);
    for (const Marked& marked : marked_) {
        if (IsOver(help.pos(), marked.cursor)) {
            QToolTip::showText(help.globalPos(), marked.tip, editor_.viewport());
            return true;
        }
    }
    QToolTip::hideText();
    return true;
}

}  // namespace kaz
