#include "app/chart/chart_pages.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <vector>

#include "app/chart/chart_sheet.h"
#include "chart/capo.h"
#include "language/compile_score.h"

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

namespace {

//! The layout headed by its own title, or by the heading's for a chart without one; heading takes the
//! chart's title where it has one.
ChartLayout Titled(const ChartLayout& layout, PageHeading& heading) {
    ChartLayout titled = layout;
    if (titled.title.empty()) {
        titled.title = heading.title.toStdString();
    } else {
        heading.title = QString::fromStdString(titled.title);
    }
    return titled;
}

//! The title a chart's pages are headed by: its own, else the heading's.
QString TitleOf(const ChartLayout& layout, const PageHeading& heading) {
    return layout.title.empty() ? heading.title : QString::fromStdString(layout.title);
}

//! The sheet of titled on a page; it draws titled, which must outlive it.
ChartSheet PageSheet(const ChartLayout& titled, const QRectF& page, const ChordDiagramBook* diagrams) {
    return {titled, page.width(), page.width() / kUnitsAcrossPage, diagrams};
}

double FirstRowTop(const ChartSheet& sheet) {
    return sheet.HeadingHeight() + sheet.Unit() * 0.3;
}

//! The first row of every page, then the row count: each page takes the rows that fit it whole, with their
//! words; at least one.
std::vector<std::size_t> PageStarts(const ChartSheet& sheet, const QRectF& page) {
    const double unit = sheet.Unit();
    const double foot = unit * 0.9;
    const double laterTop = unit * 1.0;
    std::vector<std::size_t> pageStarts{0};
    for (std::size_t row = 0; row < sheet.RowCount(); ++row) {
        const double pageTop = pageStarts.size() == 1 ? FirstRowTop(sheet) : laterTop;
        const double used = sheet.RowTop(row + 1) - sheet.RowTop(pageStarts.back());
        if (row > pageStarts.back() && pageTop + used > page.height() - foot) {
            pageStarts.push_back(row);
        }
    }
    pageStarts.push_back(sheet.RowCount());
    return pageStarts;
}

int PageCount(const QPagedPaintDevice& device, const ChartLayout& layout, PageHeading heading,
              const ChordDiagramBook* diagrams) {
    const QRectF page(0, 0, device.width(), device.height());
    const ChartLayout titled = Titled(layout, heading);
    const ChartSheet sheet = PageSheet(titled, page, diagrams);
    return static_cast<int>(PageStarts(sheet, page).size()) - 1;
}

//! The contents of a set: its title, then each song's number, title and first page.
void PaintContents(QPainter& painter, const QPagedPaintDevice& device, const QString& title,
                   const std::vector<std::pair<QString, int>>& songs) {
    const QRectF page(0, 0, device.width(), device.height());
    const double unit = page.width() / kUnitsAcrossPage;
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setBold(true);
    font.setPixelSize(std::max(1, static_cast<int>(unit * 1.2)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), unit * 2.5), Qt::AlignCenter, title);
    font.setBold(false);
    font.setPixelSize(std::max(1, static_cast<int>(unit * 0.6)));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    double top = unit * 3.5;
    for (std::size_t i = 0; i < songs.size() && top + unit < page.height(); ++i) {
        const QRectF line(page.left(), top, page.width(), unit);
        const QString number = QString::number(i + 1) + QStringLiteral(".  ");
        const QString pageNumber = QString::number(songs[i].second);
        const double room = line.width() - metrics.horizontalAdvance(number + pageNumber) - unit;
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         number + metrics.elidedText(songs[i].first, Qt::ElideRight, std::max(0.0, room)));
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, pageNumber);
        top += unit;
    }
}

//! A PDF writer for A4 paper into buffer.
void SetUpPdf(QPdfWriter& writer, const QString& title) {
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kaz"));
}

}  // namespace

int PaintChartPages(QPainter& painter, QPagedPaintDevice& device, const ChartLayout& layout,
                    const PageHeading& given, const ChordDiagramBook* diagrams) {
    const QRectF page(0, 0, device.width(), device.height());
    // The chart's own title heads its pages; the one given stands in for a chart without one.
    PageHeading heading = given;
    const ChartLayout titled = Titled(layout, heading);
    const ChartSheet sheet = PageSheet(titled, page, diagrams);
    const double laterTop = sheet.Unit() * 1.0;
    const std::vector<std::size_t> pageStarts = PageStarts(sheet, page);
    const int pages = static_cast<int>(pageStarts.size()) - 1;
    const ChartColours paper = ChartColours::ForPaper();
    for (int number = 1; number <= pages; ++number) {
        if (number > 1) {
            device.newPage();
        }
        double top = laterTop;
        if (number == 1) {
            sheet.DrawHeading(painter, page, heading.instrument, paper);
            top = FirstRowTop(sheet);
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
    SetUpPdf(writer, TitleOf(layout, heading));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    PaintChartPages(painter, writer, layout, heading, diagrams);
    return painter.end();
}

bool SheetOfChart(const std::string& chart, const SetSheetRequest& request, SetSheet& sheet,
                  ChordDiagramBook& diagrams) {
    CompileOptions options = request.options;
    DiscardedEvents discarded;
    options.stream = &discarded;
    const std::shared_ptr<const CompiledChart> compiled = Compile(chart, options);
    if (!compiled->Accepted()) {
        return false;
    }
    ChartPart part = request.part;
    if (request.song != nullptr) {
        part.instrument = SetListInstrument(*request.song, KeyOfScore(compiled->score), part.instrument);
    }
    sheet.layout = LayOutChart(compiled->score, compiled->text, SpellingFor(compiled->score, part));
    if (request.tempo > 0) {
        sheet.layout.tempo = request.tempo;
        sheet.layout.tempoDotted = false;
    }
    sheet.heading = {request.fallbackTitle, QString::fromStdString(PartTitle(part.instrument, part.capo))};
    // The shapes the chart chose for its chords stand in its own comment line.
    const FrettedInstrument* fretted = FrettedInstrumentOf(request.diagrams);
    diagrams =
        ChordDiagramBook(request.diagrams,
                         fretted != nullptr ? ShapeChoicesOfChart(compiled->text, *fretted) : ShapeChoices());
    sheet.diagrams = &diagrams;
    return true;
}

int PaintSetPages(QPainter& painter, QPagedPaintDevice& device, const QString& title,
                  const std::vector<SetSheet>& songs) {
    // The contents name the page each song starts on, the contents being the first.
    std::vector<std::pair<QString, int>> contents;
    int next = 2;
    for (const SetSheet& song : songs) {
        contents.emplace_back(TitleOf(song.layout, song.heading), next);
        next += PageCount(device, song.layout, song.heading, song.diagrams);
    }
    PaintContents(painter, device, title, contents);
    for (const SetSheet& song : songs) {
        device.newPage();
        PaintChartPages(painter, device, song.layout, song.heading, song.diagrams);
    }
    return next - 1;
}

bool WriteSetPdf(const QString& title, const std::vector<SetSheet>& songs, QByteArray& pdf) {
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return false;
    }
    QPdfWriter writer(&buffer);
    SetUpPdf(writer, title);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    PaintSetPages(painter, writer, title, songs);
    return painter.end();
}

}  // namespace kaz
