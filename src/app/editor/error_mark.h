#pragma once

#include <QObject>
#include <QString>
#include <QTextCursor>
#include <utility>
#include <vector>

#include "base/text_positions.h"
#include "base/text_range.h"

namespace kaz {

class ChartEditor;

//! A mistake marked in the chart's editor: its text underlined with a wavy red line, and a tool tip that says
//! what is wrong over it. A mistake that is a line break (a bracket left open at the end of a line) has no
//! character to underline, so the rest of its line is tinted instead. The mark follows the edits made after
//! it was placed.
class ErrorMark final : public QObject {
    Q_OBJECT

  public:
    explicit ErrorMark(ChartEditor& editor);

    //! Mark range of the compiled text whose positions are mapped by positions, with tip as its tool tip.
    void Place(const TextPositionMap& positions, TextRange range, const QString& tip);
    //! Mark hints instead: each range with a dotted line and its tip, for what compiles but most likely means
    //! something else.
    void PlaceHints(const TextPositionMap& positions,
                    const std::vector<std::pair<TextRange, QString>>& hints);
    void Clear();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    //! Whether point of the editor's viewport lies on a character of the mark, or on the end of its line
    //! when the mark is a line break.
    [[nodiscard]] bool IsOver(QPoint point, const QTextCursor& marked) const;

    struct Marked {
        QTextCursor cursor;
        QString tip;
    };

    ChartEditor& editor_;
    std::vector<Marked> marked_;
};

}  // namespace kaz
