#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "chart/chart_layout.h"

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

//! One song of a set as its PDF prints it.
struct SetSheet {
    ChartLayout layout;
    PageHeading heading;
    const ChordDiagramBook* diagrams = nullptr;  //!< the diagrams over its chords, when given
};

//! A set of songs as one PDF document on A4 paper: a contents page with the set's title and each song's
//! first page, then every song from a page of its own. False when Qt cannot write one.
[[nodiscard]] bool WriteSetPdf(const QString& title, const std::vector<SetSheet>& songs, QByteArray& pdf);

}  // namespace kaz
