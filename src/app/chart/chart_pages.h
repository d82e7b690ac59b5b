#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "chart/chart_layout.h"
#include "chart/set_list.h"
#include "language/compile_score.h"

class QPainter;
class QPagedPaintDevice;

namespace kaz {

//! What stands at the head of every page besides the chart's own heading.
struct PageHeading {
    QString title;       //!< the chart's title, or its file's name when the chart gives none
    QString instrument;  //!< "Concert", "E♭ instrument" ...
};

//! Draw the chart on the pages of device with painter, which paints on it: the heading on the first page,
//! the title and the instrument at the top of the others, the page number at the foot of each. Returns the
//! number of pages. The diagrams of diagrams, when given, stand over the chords.
int PaintChartPages(QPainter& painter, QPagedPaintDevice& device, const ChartLayout& layout,
                    const PageHeading& heading, const ChordDiagramBook* diagrams = nullptr);

//! The chart as a PDF document on A4 paper; the chord symbols are text in it. False when Qt cannot write one.
[[nodiscard]] bool WriteChartPdf(const ChartLayout& layout, const PageHeading& heading, QByteArray& pdf,
                                 const ChordDiagramBook* diagrams = nullptr);

//! One song of a set as its pages print it.
struct SetSheet {
    ChartLayout layout;
    PageHeading heading;
    const ChordDiagramBook* diagrams = nullptr;  //!< the diagrams over its chords, when given
};

//! How a chart is made a sheet of a set.
struct SetSheetRequest {
    CompileOptions options;  //!< the styles and the notation the chart compiles with
    ChartPart part;          //!< whom it is written out for
    int tempo = 0;           //!< the tempo printed in place of the chart's own; 0 for its own
    DiagramKind diagrams = DiagramKind::None;
    QString fallbackTitle;  //!< for a chart whose first line gives no title
    //! The song of a set list the chart is, shown in the key the list gives it; nullptr for a chart alone.
    const SetListSong* song = nullptr;
};

//! The sheet of chart, compiled with the request's options and laid out for its part, with the diagrams of
//! its kind (kept in diagrams, which the sheet points at). False when the chart does not compile.
[[nodiscard]] bool SheetOfChart(const std::string& chart, const SetSheetRequest& request, SetSheet& sheet,
                                ChordDiagramBook& diagrams);

//! Draw a set on the pages of device: a contents page with its title and each song's first page, then every
//! song from a page of its own. Returns the number of pages.
int PaintSetPages(QPainter& painter, QPagedPaintDevice& device, const QString& title,
                  const std::vector<SetSheet>& songs);

//! The set as one PDF document on A4 paper. False when Qt cannot write one.
[[nodiscard]] bool WriteSetPdf(const QString& title, const std::vector<SetSheet>& songs, QByteArray& pdf);

}  // namespace kaz
