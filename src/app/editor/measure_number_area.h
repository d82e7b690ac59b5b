#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>
#include <vector>

#include "base/text_positions.h"
#include "render/measure_numbers.h"

namespace kaz {

//! The margin at the editor's left that numbers the measures, as a lead sheet numbers the first measure of
//! each line. Where the song's form plays a line's first measure at other numbers too, they follow in the
//! form marks' colour ("1  1,9": written as measure 1, played as measures 1 and 9). The numbers come from
//! the last check of the chart; lines typed in since move them along until the next check.
class MeasureNumberArea final : public QWidget {
    Q_OBJECT

  public:
    explicit MeasureNumberArea(QPlainTextEdit& editor);

    //! Number the lines: each number stands at the line holding its text, in positions of the compiled text
    //! that positions maps to the editor's.
    void SetNumbers(const std::vector<LineMeasureNumber>& numbers, const TextPositionMap& positions);
    //! The width the numbers take; 0 when there are none.
    [[nodiscard]] int WidthNeeded() const;
    //! What the margin shows beside a line ("5", "5 5,13"); empty for a line without a number.
    [[nodiscard]] QString NumberOfLine(int blockNumber) const;

  signals:
    //! The numbers need another width.
    void widthChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    //! One line's number: as written, and the played numbers when they differ.
    struct Label {
        QString written;
        QString played;
        QString toolTip;
    };
    //! Measure the numbers in the editor's font, and say when they need another width.
    void UpdateWidth();
    //! Lines added or removed at position since the numbers came: the numbers below them move along.
    void OnContentsChange(int position);
    [[nodiscard]] const Label* LabelOfBlock(int blockNumber) const;

    QPlainTextEdit& editor_;
    std::vector<Label> labels_;  //!< by block number; empty texts for lines without a number
    int blockCount_ = 0;
    int writtenWidth_ = 0;  //!< of the widest written number
    int width_ = 0;
};

}  // namespace kaz
