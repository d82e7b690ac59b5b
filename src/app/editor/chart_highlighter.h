#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

#include "language/chart_line_scanner.h"

class QPlainTextEdit;

namespace kaz {

//! Colours a chart's chord symbols, signs, bar lines, bracket marks and comments as the chart scanner reads
//! them, line by line: a line is coloured again only when it changes, or when the line before it now ends in
//! another scanner state (an opened or closed bracket). The colours suit the editor's palette, light or dark,
//! and change with it.
class ChartHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT

  public:
    //! The format property that holds the ChartTokenKind a format colours.
    static constexpr int kTokenKindProperty = QTextFormat::UserProperty;

    //! Colours the chart of editor from now on.
    explicit ChartHighlighter(QPlainTextEdit& editor);

    //! While held, a new palette waits to colour the chart until the hold ends: colouring every line at once
    //! would hold up a playing song.
    void HoldRecolouring(bool hold);

  protected:
    void highlightBlock(const QString& text) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    //! Formats in colours for palette; true when they changed.
    bool ChooseColours(const QPalette& palette);
    [[nodiscard]] ChartLineState StateAtLineStart() const;

    QPlainTextEdit& editor_;
    ChartLineScanner scanner_;
    std::array<QTextCharFormat, static_cast<std::size_t>(ChartTokenKind::Section) + 1> formats_;
    bool held_ = false;
    bool recolourDue_ = false;
};

}  // namespace kaz
