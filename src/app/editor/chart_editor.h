#pragma once

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>
#include <array>
#include <cstdint>
#include <deque>
#include <string>

#include "base/text_positions.h"
#include "base/text_range.h"
#include "render/measure_numbers.h"

namespace kaz {

class MeasureNumberArea;

//! The chart's editor: plain text in the platform's fixed-pitch font, long lines wrapped at the window's
//! edge. The compiles count bytes of the text they were given (TextToCompile), which the editor maps to its
//! own characters, and follow them through the edits made since.
//!
//! Besides the editor's own multi-level undo it keeps the whole-text undo slot: the text as it was before
//! the last transposition, which Undo brings back in one step while no other change has come since.
class ChartEditor final : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit ChartEditor(QWidget* parent = nullptr);

    //! The text with every line break a "\n", exactly as typed (no-break spaces stay what they are).
    [[nodiscard]] QString Text() const;
    //! The text to compile, UTF-8 with the line breaks of the chart's file, and the map of its positions to
    //! the editor's.
    struct CompileText {
        std::string bytes;
        TextPositionMap positions;
    };
    [[nodiscard]] CompileText TextToCompile() const;
    //! The bytes of TextToCompile alone.
    [[nodiscard]] std::string BytesToCompile() const;
    //! Whether the text compiles with "\r\n" line breaks, as its file has them, so that the offsets of a
    //! compile are the file's.
    void SetCrLfLineBreaks(bool crLf) { crLfLineBreaks_ = crLf; }
    //! How many changes the text has seen; a compile notes it to follow its positions through later ones.
    [[nodiscard]] std::uint64_t Revision() const { return revision_; }

    //! Replace the selection (or insert at the caret) with text as a change the editor's undo does not
    //! record. The undo history is cleared with it: no older step may replay over text it no longer matches.
    void ReplaceSelectionWithoutUndo(const QString& text);
    //! Replace the whole text with text in one change that is not recorded for undo; the caret and the view
    //! stay where they were as far as the text allows.
    void ReplaceAllWithoutUndo(const QString& text);
    //! Put a whole new document in place: no undo history, an empty undo slot.
    void SetDocumentText(const QString& text);

    //! A cursor that selects range, given in the compiled text whose positions are mapped by positions.
    [[nodiscard]] QTextCursor CursorAt(const TextPositionMap& positions, TextRange range) const;
    //! The same for a text compiled at revision, moved along with the edits made since.
    [[nodiscard]] QTextCursor CursorAt(const TextPositionMap& positions, TextRange range,
                                       std::uint64_t revision) const;
    //! Select what cursor selects without moving the view; scroll it into view too when asked.
    void Select(const QTextCursor& cursor, bool scroll);

    //! Who marks the text with extra selections; each keeps its own, the editor shows them all.
    enum class Marks { Check, Sounding };
    void SetMarks(Marks owner, const QList<QTextEdit::ExtraSelection>& marks);

    //! Keep text as the whole-text undo: the next Undo brings it back unless the text changes first.
    void SetUndoSlot(QString text);
    [[nodiscard]] bool HasUndoSlot() const { return !undoSlot_.isEmpty(); }
    //! Undo: the text from before the last transposition when it is kept, else the editor's own undo.
    void UndoLastChange();
    //! True when Undo has something to do.
    [[nodiscard]] bool CanUndo() const;
    //! Number the measures in the margin (see MeasureNumberArea); positions maps the compiled text of
    //! numbers.
    void SetMeasureNumbers(const std::vector<LineMeasureNumber>& numbers, const TextPositionMap& positions);
    [[nodiscard]] const MeasureNumberArea& MeasureNumbers() const { return *measureNumbers_; }

    //! The keys of the window's own editing commands (Undo, Redo, Cut, Copy, Paste and their
    //! alternatives): the editor leaves them to the window, which applies the commands' enable rules.
    void LeaveKeysToWindow(QList<QKeySequence> keys) { windowKeys_ = std::move(keys); }

  signals:
    //! The undo slot or the editor's own undo changed whether Undo has something to do.
    void undoStateChanged();
    //! Typing or pasting was refused: a line would have been longer than a chart's line may be.
    void lineTooLong();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void OnTextChanged(int position, int removed, int added);
    //! Where position of the text at revision is now.
    [[nodiscard]] int PositionNow(int position, std::uint64_t revision) const;
    //! Make room at the left for the measure numbers and put them there.
    void PlaceMeasureNumbers();
    //! Replace only the part of the text that differs from text, in one edit, keeping caret and view.
    void ReplaceChangedSpan(const QString& text);
    [[nodiscard]] bool IsWindowKey(const QKeyEvent& event) const;
    //! Whether text put over the selection leaves every line at most kMaxChartLineCharacters long, the
    //! longest line the editor keeps quick to type in.
    [[nodiscard]] bool KeepsLinesShort(const QString& text) const;

    //! A change of the text's length: removed characters at position became added ones.
    struct Edit {
        std::uint64_t revision;
        int position;
        int removed;
        int added;
    };
    //! The most edits kept to move older positions along; a compile is older by a handful.
    static constexpr std::size_t kKeptEdits = 4096;

    bool crLfLineBreaks_ = false;
    std::uint64_t revision_ = 0;
    std::deque<Edit> edits_;
    std::array<QList<QTextEdit::ExtraSelection>, 2> marks_;
    QString undoSlot_;
    bool undoAvailable_ = false;
    QList<QKeySequence> windowKeys_;
    MeasureNumberArea* measureNumbers_;  //!< a child widget, owned by the editor as its parent
};

//! True for the editor's paragraph and line breaks (Shift+Return types a line break inside a paragraph): the
//! chart reads each as a line break.
[[nodiscard]] inline bool IsEditorLineBreak(QChar c) {
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

}  // namespace kaz
