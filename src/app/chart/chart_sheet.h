#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "chart/chart_layout.h"

class QPainter;

namespace kaz {

//! The colours a chart is drawn in.
struct ChartColours {
    QColor paper;
    QColor ink;
    QColor faint;     //!< bar lines of the grid, the subtitle
    QColor sounding;  //!< behind the measure that sounds
    QColor soundingInk;

    //! The colours of a palette, for the screen.
    [[nodiscard]] static ChartColours FromPalette(const QPalette& palette);
    //! Black on white, for paper.
    [[nodiscard]] static ChartColours ForPaper();
};

//! A laid-out chart drawn as a lead sheet on any paint device: the screen, a printer, a PDF. Sizes follow
//! one unit, the height of a chord's root letter; a row of the grid is a few units high and the full width.
class ChartSheet {
  public:
    //! The rows of layout across width, with chord letters unit high (both in the device's units), and the
    //! diagrams of diagrams (when given, and of a kind) over the chords.
    ChartSheet(const ChartLayout& layout, double width, double unit,
               const ChordDiagramBook* diagrams = nullptr);

    [[nodiscard]] const ChartLayout& Layout() const { return layout_; }
    [[nodiscard]] double Width() const { return width_; }
    [[nodiscard]] double Unit() const { return unit_; }
    [[nodiscard]] double RowHeight() const { return unit_ * kRowUnits + DiagramBand(); }
    [[nodiscard]] double HeadingHeight() const;
    [[nodiscard]] std::size_t RowCount() const { return layout_.rows.size(); }
    //! Where row's top lies below the first row's: each row takes its height and the lines of words under it.
    [[nodiscard]] double RowTop(std::size_t row) const { return rowTops_[std::min(row, RowCount())]; }
    //! The height of row with the words under it.
    [[nodiscard]] double RowSpan(std::size_t row) const { return RowTop(row + 1) - RowTop(row); }
    //! The row at y below the first row's top; RowCount() past the last.
    [[nodiscard]] std::size_t RowAt(double y) const;
    //! The row that holds measure (an index of ChartLayout::measures).
    [[nodiscard]] std::size_t RowOf(std::uint32_t measure) const;

    //! The heading: title, subtitle, tempo at the left and instrument at the right, across area's width.
    void DrawHeading(QPainter& painter, const QRectF& area, const QString& instrument,
                     const ChartColours& colours) const;
    //! Row row with its top at top; the measure sounding (when given) is marked.
    void DrawRow(QPainter& painter, std::size_t row, double top, const ChartColours& colours,
                 std::optional<std::uint32_t> sounding) const;

    //! The words under row: those of the chords written in a lyric line under each chord, then the lyric
    //! lines under the whole row; top is the row's.
    void DrawLyrics(QPainter& painter, std::size_t row, double top, const ChartColours& colours) const;

    //! The measure of row at x (relative to the sheet's left); nothing past its last measure.
    [[nodiscard]] std::optional<std::uint32_t> MeasureAt(std::size_t row, double x) const;
    //! What a click at (x, y) within row selects: the symbol there, else the measure's text.
    [[nodiscard]] std::optional<TextRange> TextAt(std::size_t row, double x, double y) const;
    //! The chord (an index of ChartLayout::chords) whose diagram stands at (x, y) within row; nothing
    //! elsewhere.
    [[nodiscard]] std::optional<std::uint32_t> DiagramAt(std::size_t row, double x, double y) const;
    //! Where measure lies in its row, with the row's top at 0.
    [[nodiscard]] QRectF MeasureRect(std::uint32_t measure) const;

    //! A unit that suits a window width: chords about a twentieth of it, times zoom.
    [[nodiscard]] static double UnitForWidth(double width, double zoom);

  private:
    static constexpr double kRowUnits = 2.7;
    //! The band over a row's marks that holds its chords' diagrams; 0 without diagrams.
    [[nodiscard]] double DiagramBand() const;
    void DrawDiagrams(QPainter& painter, std::uint32_t measure, const ChartColours& colours) const;
    [[nodiscard]] double CellWidth(const ChartRow& row) const;
    [[nodiscard]] QRectF ChordArea(std::uint32_t measure) const;
    //! The room an opening repeat sign takes at the measure's start.
    [[nodiscard]] double OpeningWidth(const ChartMeasure& shown) const;
    [[nodiscard]] QRectF ChordSlot(std::uint32_t measure, std::uint32_t index) const;
    void DrawMeasure(QPainter& painter, std::uint32_t measure, const QRectF& cell, bool first,
                     const ChartColours& colours) const;
    void DrawMarks(QPainter& painter, const ChartMeasure& shown, const QRectF& cell,
                   const ChartColours& colours) const;
    //! The bracket of an ending over the measure's band, its label from x on; returns where the band goes on.
    double DrawEnding(QPainter& painter, const ChartMeasure& shown, const QRectF& band, double x) const;
    void DrawSegno(QPainter& painter, QPointF centre, double size, const QColor& ink) const;
    void DrawCoda(QPainter& painter, QPointF centre, double size) const;
    void DrawBarLine(QPainter& painter, BarLine line, double x, const QRectF& cell, bool atStart) const;
    void DrawChord(QPainter& painter, const ChartChord& chord, const QRectF& slot) const;
    void DrawSymbol(QPainter& painter, const ChordDisplay& symbol, const QRectF& slot) const;

    const ChartLayout& layout_;
    const ChordDiagramBook* diagrams_;
    double width_;
    double unit_;
    QFont chordFont_;
    QFont smallFont_;
    QFont lyricFont_;
    std::vector<double> rowTops_;  //!< RowTop of every row, and of the end of the last
};

}  // namespace kaz
