#include "app/chart/chart_pages.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <vector>

#include "app/chart/chart_sheet.h"

namespace kaz {

namespace {

//! Chords about 8 mm high on A4: a page carries some ten rows, read from a music stand.
constexpr double kUnitsAcrossPage = 24.0;
constexpr int kPdfResolution = 300;

void DrawPageFrame(QPainter& painter, const ChartSheet& sheet, const QRectF& page, const PageHeading& heading,
                   int number, int pages) {
    const double unit = sheet.Unit();
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPixelSize(std::max(1, static_cast<int>(unit * 0.4)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    if (number > 1) {
        const QRectF top(page.left(), page.top(), page.width(), unit * 0.7);
        const QFontMetricsF metrics(font);
        // A long title gives way to the instrument beside it.
        const double room = top.width() - metrics.horizontalAdvance(heading.instrument) - unit;
        painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(heading.title, Qt::ElideRight, std::max(0.0, room)));
        painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, heading.instrument);
    }
    const QRectF foot(page.left(), page.bottom() - unit * 0.6, page.width(), unit * 0.6);
    painter.drawText(foot, Qt::AlignCenter, QObject::tr("Page %1 of %2").arg(number).arg(pages));
}

}  // namespace

int PaintChartPages(QPainter& painter, QPagedPaintDevice& device, const ChartLayout& layout,
                    const PageHeading& given, const ChordDiagramBook* diagrams) {
    const QRectF page(0, 0, device.width(), device.height());
    // The chart's own title heads its pages; the one given stands in for a chart without one.
    ChartLayout titled = layout;
    PageHeading heading = given;
    if (titled.title.empty()) {
        titled.title = heading.title.toStdString();
    } else {
        heading.title = QString::fromStdString(titled.title);
    }
    const ChartSheet sheet(titled, page.width(), page.width() / kUnitsAcrossPage, diagrams);
    const double unit = sheet.Unit();
    const double foot = unit * 0.9;
    const double firstTop = sheet.HeadingHeight() + unit * 0.3;
    const double laterTop = unit * 1.0;
    // Each page takes the rows that fit it whole, with their words; at least one.
    std::vector<std::size_t> pageStarts{0};
    for (std::size_t row = 0; row < sheet.RowCount(); ++row) {
        const double pageTop = pageStarts.size() == 1 ? firstTop : laterTop;
        const double used = sheet.RowTop(row + 1) - sheet.RowTop(pageStarts.back());
        if (row > pageStarts.back() && pageTop + used > page.height() - foot) {
            pageStarts.push_back(row);
        }
    }
    const int pages = static_cast<int>(pageStarts.size());
    pageStarts.push_back(sheet.RowCount());
    const ChartColours paper = ChartColours::ForPaper();
    for (int number = 1; number <= pages; ++number) {
        if (number > 1) {
            device.newPage();
        }
        double top = laterTop;
        if (number == 1) {
            sheet.DrawHeading(painter, page, heading.instrument, paper);
            top = firstTop;
        }
        DrawPageFrame(painter, sheet, page, heading, number, pages);
        const std::size_t first = pageStarts[static_cast<std::size_t>(number - 1)];
        for (std::size_t row = first; row < pageStarts[static_cast<std::size_t>(number)]; ++row) {
            sheet.DrawRow(painter, row, top + sheet.RowTop(row) - sheet.RowTop(first), paper, std::nullopt);
        }
    }
    return pages;
}

bool WriteChartPdf(const ChartLayout& layout, const PageHeading& heading, QByteArray& pdf,
                   const ChordDiagramBook* diagrams) {
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return false;
    }
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    writer.setTitle(layout.title.empty() ? heading.title : QString::fromStdString(layout.title));
    writer.setCreator(QStringLiteral("Kaz"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    PaintChartPages(painter, writer, layout, heading, diagrams);
    return painter.end();
}

}  // namespace kaz
