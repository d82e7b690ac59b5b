#include "app/editor/chart_editor.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

#include "app/editor/measure_number_area.h"
#include "base/input_file.h"

namespace kaz {

namespace {

//! The editor's text with every line and paragraph break a "\n", and nothing else changed (a plain-text
//! export would also turn no-break spaces into spaces, which a saved file must keep).
QString RawText(const QTextDocument& document) {
    QString text = document.toRawText();
    for (QChar& c : text) {
        if (IsEditorLineBreak(c)) {
            c = QLatin1Char('\n');
        }
    }
    return text;
}

//! The span of old that differs from replacement: [start, old.size() - end) is replaced by
//! [start, replacement.size() - end).
struct ChangedSpan {
    qsizetype start = 0;
    qsizetype end = 0;  //!< length of the common tail
};

ChangedSpan FindChangedSpan(const QString& old, const QString& replacement) {
    const qsizetype shorter = std::min(old.size(), replacement.size());
    ChangedSpan span;
    while (span.start < shorter && old[span.start] == replacement[span.start]) {
        ++span.start;
    }
    while (span.end < shorter - span.start &&
           old[old.size() - 1 - span.end] == replacement[replacement.size() - 1 - span.end]) {
        ++span.end;
    }
    return span;
}

}  // namespace

ChartEditor::ChartEditor(QWidget* parent)
    : QPlainTextEdit(parent), measureNumbers_(new MeasureNumberArea(*this)) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(measureNumbers_, &MeasureNumberArea::widthChanged, this, &ChartEditor::PlaceMeasureNumbers);
    connect(this, &QPlainTextEdit::updateRequest, measureNumbers_, [this](const QRect& rect, int dy) {
        if (dy != 0) {
            measureNumbers_->scroll(0, dy);
        } else {
            measureNumbers_->update(0, rect.y(), measureNumbers_->width(), rect.height());
        }
    });
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAccessibleName(tr("Chart"));
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int removed, int added) {
        // Colouring changes formats only; a change of the text removes or adds characters.
        if (removed != 0 || added != 0) {
            OnTextChanged(position, removed, added);
        }
    });
    connect(document(), &QTextDocument::undoAvailable, this, [this](bool available) {
        undoAvailable_ = available;
        emit undoStateChanged();
    });
}

bool ChartEditor::IsWindowKey(const QKeyEvent& event) const {
    const QKeySequence pressed(event.keyCombination().toCombined() & ~Qt::KeypadModifier);
    return windowKeys_.contains(pressed);
}

void ChartEditor::SetMeasureNumbers(const std::vector<LineMeasureNumber>& numbers,
                                    const TextPositionMap& positions) {
    measureNumbers_->SetNumbers(numbers, positions);
}

void ChartEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    PlaceMeasureNumbers();
}

void ChartEditor::PlaceMeasureNumbers() {
    setViewportMargins(measureNumbers_->WidthNeeded(), 0, 0, 0);
    const QRect contents = contentsRect();
    measureNumbers_->setGeometry(contents.left(), contents.top(), measureNumbers_->WidthNeeded(),
                                 contents.height());
}

QString ChartEditor::Text() const {
    return RawText(*document());
}

std::string ChartEditor::BytesToCompile() const {
    QString text = Text();
    if (crLfLineBreaks_) {
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    }
    return text.toStdString();
}

ChartEditor::CompileText ChartEditor::TextToCompile() const {
    CompileText compiled{BytesToCompile(), {}};
    compiled.positions = TextPositionMap(compiled.bytes);
    return compiled;
}

QTextCursor ChartEditor::CursorAt(const TextPositionMap& positions, TextRange range) const {
    return CursorAt(positions, range, revision_);
}

QTextCursor ChartEditor::CursorAt(const TextPositionMap& positions, TextRange range,
                                  std::uint64_t revision) const {
    const TextRange units = positions.ToEditor(range);
    const int last = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(PositionNow(units.start, revision), 0, last));
    cursor.setPosition(std::clamp(PositionNow(units.end, revision), 0, last), QTextCursor::KeepAnchor);
    return cursor;
}

int ChartEditor::PositionNow(int position, std::uint64_t revision) const {
    const auto later =
        std::upper_bound(edits_.begin(), edits_.end(), revision,
                         [](std::uint64_t seen, const Edit& edit) { return seen < edit.revision; });
    for (auto edit = later; edit != edits_.end(); ++edit) {
        if (position >= edit->position + edit->removed) {
            position += edit->added - edit->removed;
        } else if (position > edit->position) {
            position = edit->position + std::min(position - edit->position, edit->added);
        }
    }
    return position;
}

void ChartEditor::Select(const QTextCursor& cursor, bool scroll) {
    // Selecting alone leaves the view where it is.
    const int vertical = verticalScrollBar()->value();
    setTextCursor(cursor);
    verticalScrollBar()->setValue(vertical);
    if (scroll) {
        ensureCursorVisible();
    }
}

void ChartEditor::SetMarks(Marks owner, const QList<QTextEdit::ExtraSelection>& marks) {
    marks_[static_cast<std::size_t>(owner)] = marks;
    QList<QTextEdit::ExtraSelection> all;
    for (const QList<QTextEdit::ExtraSelection>& kept : marks_) {
        all += kept;
    }
    setExtraSelections(all);
}

void ChartEditor::ReplaceSelectionWithoutUndo(const QString& text) {
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
    document()->setUndoRedoEnabled(true);
    document()->clearUndoRedoStacks();
}

void ChartEditor::ReplaceAllWithoutUndo(const QString& text) {
    document()->setUndoRedoEnabled(false);
    ReplaceChangedSpan(text);
    document()->setUndoRedoEnabled(true);
    document()->clearUndoRedoStacks();
}

void ChartEditor::ReplaceChangedSpan(const QString& text) {
    const QString old = Text();
    const ChangedSpan span = FindChangedSpan(old, text);
    if (span.start == old.size() && span.start == text.size()) {
        return;
    }
    const QTextCursor before = textCursor();
    const int vertical = verticalScrollBar()->value();
    QTextCursor edit(document());
    edit.setPosition(static_cast<int>(span.start));
    edit.setPosition(static_cast<int>(old.size() - span.end), QTextCursor::KeepAnchor);
    edit.insertText(text.mid(span.start, text.size() - span.end - span.start));
    // The caret and the view stay put; only a caret past the new end moves back to it.
    const int last = document()->characterCount() - 1;
    QTextCursor after(document());
    after.setPosition(std::min(before.anchor(), last));
    after.setPosition(std::min(before.position(), last), QTextCursor::KeepAnchor);
    setTextCursor(after);
    verticalScrollBar()->setValue(vertical);
}

void ChartEditor::SetDocumentText(const QString& text) {
    setPlainText(text);
    undoSlot_.clear();
    emit undoStateChanged();
}

void ChartEditor::SetUndoSlot(QString text) {
    undoSlot_ = std::move(text);
    emit undoStateChanged();
}

void ChartEditor::UndoLastChange() {
    if (undoSlot_.isEmpty()) {
        undo();
        return;
    }
    // One undoable step back to the text before the transposition; the editor's own Undo then returns to
    // the transposed text.
    const QString before = std::move(undoSlot_);
    undoSlot_.clear();
    ReplaceChangedSpan(before);
    emit undoStateChanged();
}

bool ChartEditor::CanUndo() const {
    return !undoSlot_.isEmpty() || undoAvailable_;
}

void ChartEditor::OnTextChanged(int position, int removed, int added) {
    ++revision_;
    // A change that keeps the length (typing over a character, or Qt marking a stretch for redrawing) moves
    // nothing.
    if (removed != added) {
        edits_.push_back({revision_, position, removed, added});
        if (edits_.size() > kKeptEdits) {
            edits_.pop_front();
        }
    }
    if (!undoSlot_.isEmpty()) {
        undoSlot_.clear();
        emit undoStateChanged();
    }
}

bool ChartEditor::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsWindowKey(static_cast<QKeyEvent&>(*event))) {
        // Not taken here: the window's command gets the key, under its enable rule.
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void ChartEditor::keyPressEvent(QKeyEvent* event) {
    if (IsWindowKey(*event)) {
        // The window's command is disabled, which is why the key came here: it does nothing.
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !KeepsLinesShort(typed)) {
        event->accept();
        emit lineTooLong();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ChartEditor::insertFromMimeData(const QMimeData* source) {
    if (source->hasText() && !KeepsLinesShort(source->text())) {
        emit lineTooLong();
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

bool ChartEditor::KeepsLinesShort(const QString& text) const {
    const QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    const qsizetype before = cursor.selectionStart() - first.position();
    const qsizetype after = last.position() + last.length() - 1 - cursor.selectionEnd();
    QStringList lines =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    lines.front().prepend(QString(before, QLatin1Char(' ')));
    lines.back().append(QString(after, QLatin1Char(' ')));
    return std::all_of(lines.begin(), lines.end(), [](const QString& line) {
        return static_cast<std::size_t>(line.size()) <= kMaxChartLineCharacters;
    });
}

}  // namespace kaz
