#include "app/chart/chart_sheet.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace kaz {

namespace {

// Heights within a row, in units: the band of signs and letters over the measures, then the measures.
constexpr double kMarkBand = 0.8;
constexpr double kBody = 1.6;
// Chord symbols and their raised parts, in units.
constexpr double kRaisedSize = 0.6;
constexpr double kQualitySize = 0.75;
constexpr double kAccidentalSize = 0.95;
constexpr double kRaise = 0.4;
constexpr double kMeterWidth = 0.75;
constexpr double kRepeatSignWidth = 0.45;  // an opening repeat's lines and dots, inside its measure
constexpr double kPadding = 0.25;
// A line of words under a row, and their letters, in units; the smallest a long line is squeezed to, in
// parts of the letters' size.
constexpr double kLyricLine = 0.75;
constexpr double kLyricSize = 0.52;
constexpr double kNarrowestLyric = 0.7;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont SizedFont(const QFont& base, double pixels) {
    QFont font = base;
    font.setPixelSize(std::max(1, static_cast<int>(pixels + 0.5)));
    return font;
}

//! font at the largest size up to its own at which text fits area, on one line or wrapped at its spaces.
QFont FontToFit(QFont font, const QString& text, const QRectF& area) {
    // Each try a little smaller: a title fits a page in a few steps.
    constexpr double kStep = 0.92;
    for (int size = font.pixelSize(); size > 1; size = std::min(size - 1, static_cast<int>(size * kStep))) {
        font.setPixelSize(size);
        const QRectF needed =
            QFontMetricsF(font).boundingRect(QRectF(0, 0, area.width(), 0), Qt::TextWordWrap, text);
        if (needed.width() <= area.width() && needed.height() <= area.height()) {
            return font;
        }
    }
    font.setPixelSize(1);
    return font;
}

struct SymbolRun {
    QString text;
    QFont font;
    double rise = 0;
};

}  // namespace

ChartColours ChartColours::FromPalette(const QPalette& palette) {
    return {palette.color(QPalette::Base), palette.color(QPalette::Text), palette.color(QPalette::Mid),
            palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
}

ChartColours ChartColours::ForPaper() {
    return {Qt::white, Qt::black, QColor(110, 110, 110), QColor(220, 220, 220), Qt::black};
}

ChartSheet::ChartSheet(const ChartLayout& layout, double width, double unit, const ChordDiagramBook* diagrams)
    : layout_(layout), diagrams_(diagrams), width_(width), unit_(unit) {
    chordFont_.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    chordFont_.setWeight(QFont::Bold);
    chordFont_.setPixelSize(std::max(1, static_cast<int>(unit + 0.5)));
    smallFont_ = chordFont_;
    smallFont_.setWeight(QFont::DemiBold);
    smallFont_.setPixelSize(std::max(1, static_cast<int>(unit * 0.45 + 0.5)));
    lyricFont_ = chordFont_;
    lyricFont_.setWeight(QFont::Normal);
    lyricFont_.setPixelSize(std::max(1, static_cast<int>(unit * kLyricSize + 0.5)));
    rowTops_.reserve(layout.rows.size() + 1);
    double top = 0;
    for (const ChartRow& row : layout.rows) {
        rowTops_.push_back(top);
        top += RowHeight() + unit * kLyricLine * static_cast<double>(row.LyricLineCount());
    }
    rowTops_.push_back(top);
}

std::size_t ChartSheet::RowAt(double y) const {
    const auto after = std::upper_bound(rowTops_.begin(), rowTops_.end(), y);
    return after == rowTops_.begin() ? 0 : static_cast<std::size_t>(after - rowTops_.begin() - 1);
}

double ChartSheet::UnitForWidth(double width, double zoom) {
    return std::clamp(width / 22.0, 12.0, 90.0) * zoom;
}

double ChartSheet::HeadingHeight() const {
    return unit_ * (layout_.subtitle.empty() ? 2.2 : 2.9);
}

std::size_t ChartSheet::RowOf(std::uint32_t measure) const {
    const auto found = std::upper_bound(layout_.rows.begin(), layout_.rows.end(), measure,
                                        [](std::uint32_t m, const ChartRow& row) { return m < row.first; });
    return found == layout_.rows.begin() ? 0 : static_cast<std::size_t>(found - layout_.rows.begin() - 1);
}

double ChartSheet::CellWidth(const ChartRow& row) const {
    return width_ / std::max(row.count, kMeasuresPerRow);
}

QRectF ChartSheet::MeasureRect(std::uint32_t measure) const {
    const ChartRow& row = layout_.rows[RowOf(measure)];
    const double cell = CellWidth(row);
    return {cell * (measure - row.first), DiagramBand() + unit_ * kMarkBand, cell, unit_ * kBody};
}

QRectF ChartSheet::ChordArea(std::uint32_t measure) const {
    const QRectF cell = MeasureRect(measure);
    const ChartMeasure& shown = layout_.measures[measure];
    const double meter = shown.meter.empty() ? 0 : unit_ * kMeterWidth;
    return cell.adjusted(unit_ * kPadding + meter + OpeningWidth(shown), 0, -unit_ * kPadding * 0.6, 0);
}

double ChartSheet::OpeningWidth(const ChartMeasure& shown) const {
    return shown.start == BarLine::RepeatStart ? unit_ * kRepeatSignWidth : 0;
}

QRectF ChartSheet::ChordSlot(std::uint32_t measure, std::uint32_t index) const {
    const QRectF area = ChordArea(measure);
    const double slot = area.width() / std::max<std::uint32_t>(1, layout_.measures[measure].chordCount);
    return {area.left() + slot * index, area.top(), slot, area.height()};
}

std::optional<std::uint32_t> ChartSheet::MeasureAt(std::size_t row, double x) const {
    if (row >= layout_.rows.size() || x < 0) {
        return std::nullopt;
    }
    const ChartRow& shown = layout_.rows[row];
    const auto column = static_cast<std::uint32_t>(x / CellWidth(shown));
    if (column >= shown.count) {
        return std::nullopt;
    }
    return shown.first + column;
}

std::optional<TextRange> ChartSheet::TextAt(std::size_t row, double x, double y) const {
    const std::optional<std::uint32_t> measure = MeasureAt(row, x);
    if (!measure || y < 0 || y > RowHeight()) {
        return std::nullopt;
    }
    const ChartMeasure& shown = layout_.measures[*measure];
    for (std::uint32_t i = 0; i < shown.chordCount; ++i) {
        const QRectF slot = ChordSlot(*measure, i);
        if (x >= slot.left() && x < slot.right()) {
            return layout_.chords[shown.firstChord + i].text;
        }
    }
    if (shown.text == TextRange{}) {
        return std::nullopt;
    }
    return shown.text;
}

void ChartSheet::DrawHeading(QPainter& painter, const QRectF& area, const QString& instrument,
                             const ChartColours& colours) const {
    painter.setPen(colours.ink);
    const QString title = FromUtf8(layout_.title);
    const QRectF titleArea(area.left(), area.top(), area.width(), unit_ * 1.5);
    // A long title is set smaller, or on two lines, rather than cut at the page's edges.
    painter.setFont(FontToFit(SizedFont(chordFont_, unit_ * 1.1), title, titleArea));
    painter.drawText(titleArea, Qt::AlignCenter | Qt::TextWordWrap, title);
    double below = titleArea.bottom();
    if (!layout_.subtitle.empty()) {
        QFont subtitle = SizedFont(chordFont_, unit_ * 0.5);
        subtitle.setWeight(QFont::Normal);
        subtitle.setItalic(true);
        const QString words = FromUtf8(layout_.subtitle);
        const QRectF subtitleArea(area.left(), below, area.width(), unit_ * 0.7);
        painter.setFont(FontToFit(subtitle, words, subtitleArea));
        painter.setPen(colours.faint);
        painter.drawText(subtitleArea, Qt::AlignCenter | Qt::TextWordWrap, words);
        below += unit_ * 0.7;
        painter.setPen(colours.ink);
    }
    painter.setFont(SizedFont(smallFont_, unit_ * 0.5));
    const QRectF sides(area.left(), below, area.width(), unit_ * 0.7);
    if (layout_.tempo > 0) {
        const QString beat = layout_.tempoDotted ? QStringLiteral("\u2669.") : QStringLiteral("\u2669");
        painter.drawText(sides, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1 = %2").arg(beat).arg(layout_.tempo));
    }
    painter.drawText(sides, Qt::AlignRight | Qt::AlignVCenter, instrument);
}

void ChartSheet::DrawRow(QPainter& painter, std::size_t row, double top, const ChartColours& colours,
                         std::optional<std::uint32_t> sounding) const {
    const ChartRow& shown = layout_.rows[row];
    painter.save();
    painter.translate(0, top);
    // The sounding measure's ground goes first, so that the bar line before it stays on top.
    if (sounding && *sounding >= shown.first && *sounding < shown.first + shown.count) {
        painter.fillRect(MeasureRect(*sounding), colours.sounding);
    }
    for (std::uint32_t i = 0; i < shown.count; ++i) {
        const std::uint32_t measure = shown.first + i;
        const QRectF cell = MeasureRect(measure);
        const bool lit = sounding == measure;
        painter.setPen(QPen(lit ? colours.soundingInk : colours.ink, std::max(1.0, unit_ * 0.05)));
        painter.setBrush(Qt::NoBrush);
        DrawMeasure(painter, measure, cell, i == 0, colours);
        DrawDiagrams(painter, measure, colours);
    }
    painter.restore();
    DrawLyrics(painter, row, top, colours);
}

namespace {

//! words in font, squeezed a little when they are wider than room, and cut short only past that.
void DrawWords(QPainter& painter, QFont font, const QString& words, const QRectF& room) {
    const double wide = QFontMetricsF(font).horizontalAdvance(words);
    if (wide > room.width() && room.width() > 0) {
        font.setStretch(
            std::max(static_cast<int>(100 * kNarrowestLyric), static_cast<int>(100 * room.width() / wide)));
    }
    painter.setFont(font);
    const QString shown = QFontMetricsF(font).elidedText(words, Qt::ElideRight, room.width());
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace

void ChartSheet::DrawLyrics(QPainter& painter, std::size_t row, double top,
                            const ChartColours& colours) const {
    const ChartRow& shown = layout_.rows[row];
    if (shown.LyricLineCount() == 0) {
        return;
    }
    painter.save();
    painter.setPen(colours.ink);
    double line = top + RowHeight() - unit_ * 0.15;
    if (shown.wordsUnderChords) {
        // Each chord's words from its place on, up to the next chord that has words, or the row's end.
        double right = width_;
        for (std::uint32_t measure = shown.first + shown.count; measure-- > shown.first;) {
            const ChartMeasure& bar = layout_.measures[measure];
            for (std::uint32_t i = bar.chordCount; i-- > 0;) {
                const std::string& words = layout_.chords[bar.firstChord + i].words;
                if (words.empty()) {
                    continue;
                }
                const QRectF slot = ChordSlot(measure, i);
                DrawWords(painter, lyricFont_, FromUtf8(words),
                          QRectF(slot.left(), line, right - slot.left() - unit_ * 0.15, unit_ * kLyricLine));
                right = slot.left();
            }
        }
        line += unit_ * kLyricLine;
    }
    for (const std::string& words : shown.lyrics) {
        DrawWords(painter, lyricFont_, FromUtf8(words),
                  QRectF(unit_ * kPadding, line, width_ - unit_ * kPadding, unit_ * kLyricLine));
        line += unit_ * kLyricLine;
    }
    painter.restore();
}

void ChartSheet::DrawMeasure(QPainter& painter, std::uint32_t measure, const QRectF& cell, bool first,
                             const ChartColours& colours) const {
    const ChartMeasure& shown = layout_.measures[measure];
    if (first || shown.start != BarLine::Single) {
        DrawBarLine(painter, shown.start, cell.left(), cell, true);
    }
    DrawBarLine(painter, shown.end, cell.right(), cell, false);
    DrawMarks(painter, shown, cell, colours);
    if (!shown.meter.empty()) {
        const QString meter = FromUtf8(shown.meter);
        const qsizetype slash = meter.indexOf(QLatin1Char('/'));
        painter.setFont(SizedFont(chordFont_, unit_ * 0.62));
        const double x = cell.left() + unit_ * 0.15 + OpeningWidth(shown);
        const QRectF upper(x, cell.top() + unit_ * 0.15, unit_ * kMeterWidth, unit_ * 0.65);
        painter.drawText(upper, Qt::AlignCenter, meter.left(slash));
        painter.drawText(upper.translated(0, unit_ * 0.65), Qt::AlignCenter, meter.mid(slash + 1));
    }
    if (shown.repeatsPrevious) {
        // The measure-repeat sign: a slanted stroke between two dots.
        const QPointF centre = cell.center();
        const double h = unit_ * 0.45;
        painter.save();
        painter.setPen(QPen(painter.pen().color(), unit_ * 0.16, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(centre.x() - h, centre.y() + h), QPointF(centre.x() + h, centre.y() - h));
        painter.setBrush(painter.pen().color());
        painter.setPen(Qt::NoPen);
        const double dot = unit_ * 0.1;
        painter.drawEllipse(QPointF(centre.x() - h * 0.8, centre.y() - h * 0.55), dot, dot);
        painter.drawEllipse(QPointF(centre.x() + h * 0.8, centre.y() + h * 0.55), dot, dot);
        painter.restore();
        return;
    }
    for (std::uint32_t i = 0; i < shown.chordCount; ++i) {
        DrawChord(painter, layout_.chords[shown.firstChord + i], ChordSlot(measure, i));
    }
}

void ChartSheet::DrawBarLine(QPainter& painter, BarLine line, double x, const QRectF& cell,
                             bool atStart) const {
    const double top = cell.top() + unit_ * 0.1;
    const double bottom = cell.bottom() - unit_ * 0.1;
    const QPen thin = painter.pen();
    QPen thick = thin;
    thick.setWidthF(unit_ * 0.14);
    thick.setCapStyle(Qt::FlatCap);
    const double gap = unit_ * 0.16;
    // Double and closing lines lie inside the measure they end; an opening repeat inside the one it opens.
    const double inward = atStart ? 1 : -1;
    switch (line) {
        case BarLine::Single:
            painter.drawLine(QPointF(x, top), QPointF(x, bottom));
            break;
        case BarLine::Double:
            painter.drawLine(QPointF(x, top), QPointF(x, bottom));
            painter.drawLine(QPointF(x + inward * gap, top), QPointF(x + inward * gap, bottom));
            break;
        case BarLine::Final:
        case BarLine::RepeatStart:
        case BarLine::RepeatEnd: {
            painter.setPen(thick);
            painter.drawLine(QPointF(x + inward * gap * 0.4, top), QPointF(x + inward * gap * 0.4, bottom));
            painter.setPen(thin);
            painter.drawLine(QPointF(x + inward * gap * 1.3, top), QPointF(x + inward * gap * 1.3, bottom));
            if (line != BarLine::Final) {
                painter.save();
                painter.setBrush(thin.color());
                painter.setPen(Qt::NoPen);
                const double dotX = x + inward * gap * 2.2;
                const double dot = unit_ * 0.09;
                painter.drawEllipse(QPointF(dotX, cell.center().y() - unit_ * 0.25), dot, dot);
                painter.drawEllipse(QPointF(dotX, cell.center().y() + unit_ * 0.25), dot, dot);
                painter.restore();
            }
            break;
        }
    }
}

void ChartSheet::DrawMarks(QPainter& painter, const ChartMeasure& shown, const QRectF& cell,
                           const ChartColours& colours) const {
    const QRectF band(cell.left(), cell.top() - unit_ * kMarkBand, cell.width(), unit_ * kMarkBand);
    double x = band.left();
    painter.save();
    painter.setPen(QPen(colours.ink, std::max(1.0, unit_ * 0.05)));
    if (!shown.section.empty()) {
        // A section letter in a box, at the measure's start.
        const QString name = FromUtf8(shown.section);
        painter.setFont(SizedFont(chordFont_, unit_ * 0.5));
        const double wide = QFontMetricsF(painter.font()).horizontalAdvance(name) + unit_ * 0.3;
        const QRectF box(x, band.top() + unit_ * 0.05, std::max(wide, unit_ * 0.65), unit_ * 0.65);
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, name);
        x = box.right() + unit_ * 0.2;
    }
    const double bracket = band.top() + unit_ * 0.2;
    if (shown.inEnding) {
        x = DrawEnding(painter, shown, band, x);
    }
    if (shown.times > 0) {
        painter.setFont(SizedFont(smallFont_, unit_ * 0.45));
        painter.drawText(QRectF(band.left(), bracket, band.width() - unit_ * 0.35, band.bottom() - bracket),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("x%1").arg(shown.times));
    }
    const double sign = unit_ * 0.28;
    if (shown.segno) {
        DrawSegno(painter, QPointF(x + sign * 1.3, band.center().y()), sign, colours.ink);
        x += sign * 3;
    }
    if (shown.coda) {
        DrawCoda(painter, QPointF(x + sign * 1.3, band.center().y()), sign);
        x += sign * 3;
    }
    if (!shown.direction.empty()) {
        // Over the measure's end, left of a repeat count, under an ending's line.
        const QString words = FromUtf8(shown.direction);
        QFont font = SizedFont(smallFont_, unit_ * 0.42);
        font.setItalic(true);
        const double count = shown.times > 0 ? unit_ * 0.9 : 0;
        const QRectF area(x, bracket, band.right() - unit_ * 0.35 - count - x, band.bottom() - bracket);
        const double wide = QFontMetricsF(font).horizontalAdvance(words);
        if (wide > area.width() && area.width() > 0) {
            font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * area.width() / wide)));
        }
        painter.setFont(font);
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, words);
    }
    painter.restore();
}

double ChartSheet::DrawEnding(QPainter& painter, const ChartMeasure& shown, const QRectF& band,
                              double x) const {
    // A line over the ending's measures, with a hook down where it opens and where it goes back.
    const double y = band.top() + unit_ * 0.2;
    const bool opens = !shown.ending.empty();
    const double right = shown.endingCloses ? band.right() - unit_ * 0.3 : band.right();
    painter.drawLine(QPointF(opens ? x : band.left(), y), QPointF(right, y));
    if (shown.endingCloses) {
        painter.drawLine(QPointF(right, y), QPointF(right, band.bottom() - unit_ * 0.05));
    }
    if (!opens) {
        return x;
    }
    painter.drawLine(QPointF(x, band.bottom() - unit_ * 0.05), QPointF(x, y));
    painter.setFont(SizedFont(smallFont_, unit_ * 0.42));
    const QString label = FromUtf8(shown.ending);
    const double wide = QFontMetricsF(painter.font()).horizontalAdvance(label);
    painter.drawText(QRectF(x + unit_ * 0.12, y, wide + unit_ * 0.1, band.bottom() - y),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
    return x + wide + unit_ * 0.35;
}

void ChartSheet::DrawSegno(QPainter& painter, QPointF centre, double size, const QColor& ink) const {
    // An S crossed by a stroke, a dot on either side.
    QFont s = SizedFont(chordFont_, size * 2.7);
    s.setItalic(true);
    painter.setFont(s);
    painter.drawText(QRectF(centre.x() - size, centre.y() - size * 1.45, size * 2, size * 2.9),
                     Qt::AlignCenter, QStringLiteral("S"));
    painter.drawLine(centre + QPointF(-size, size), centre + QPointF(size, -size));
    painter.save();
    painter.setBrush(ink);
    painter.drawEllipse(centre + QPointF(-size * 0.9, size * 0.3), size * 0.18, size * 0.18);
    painter.drawEllipse(centre + QPointF(size * 0.9, -size * 0.3), size * 0.18, size * 0.18);
    painter.restore();
}

void ChartSheet::DrawCoda(QPainter& painter, QPointF centre, double size) const {
    // A circle crossed by a vertical and a horizontal stroke.
    painter.drawEllipse(centre, size * 0.75, size);
    painter.drawLine(centre + QPointF(0, -size * 1.35), centre + QPointF(0, size * 1.35));
    painter.drawLine(centre + QPointF(-size * 1.2, 0), centre + QPointF(size * 1.2, 0));
}

void ChartSheet::DrawChord(QPainter& painter, const ChartChord& chord, const QRectF& slot) const {
    switch (chord.kind) {
        case ChartChord::Kind::Chord:
            DrawSymbol(painter, chord.symbol, slot);
            break;
        case ChartChord::Kind::Again: {
            // A slash: the chord before goes on.
            painter.save();
            painter.setPen(QPen(painter.pen().color(), unit_ * 0.13, Qt::SolidLine, Qt::FlatCap));
            const QPointF foot(slot.left() + unit_ * 0.15, slot.center().y() + unit_ * 0.38);
            painter.drawLine(foot, foot + QPointF(unit_ * 0.45, -unit_ * 0.76));
            painter.restore();
            break;
        }
        case ChartChord::Kind::Rest: {
            // A rest: a short thick bar on the middle line.
            const QRectF bar(slot.left() + unit_ * 0.15, slot.center().y() - unit_ * 0.1, unit_ * 0.5,
                             unit_ * 0.2);
            painter.fillRect(bar, painter.pen().color());
            break;
        }
    }
}

void ChartSheet::DrawSymbol(QPainter& painter, const ChordDisplay& symbol, const QRectF& slot) const {
    const QFont raised = SizedFont(chordFont_, unit_ * kRaisedSize);
    const QFont quality = SizedFont(chordFont_, unit_ * kQualitySize);
    const QFont accidental = SizedFont(chordFont_, unit_ * kAccidentalSize);
    // Minor and augmented stand on the line; the signs of the seventh chords are raised with the numbers.
    const bool sign = !symbol.quality.empty() && symbol.quality != "m" && symbol.quality != "+";
    const SymbolRun runs[] = {
        {FromUtf8(symbol.root), chordFont_, 0},
        {FromUtf8(symbol.accidental), accidental, unit_ * kRaise * 0.75},
        {FromUtf8(symbol.quality), sign ? raised : quality, sign ? unit_ * kRaise : 0},
        {FromUtf8(symbol.extension), raised, unit_ * kRaise},
        {symbol.bass.empty() ? QString() : QStringLiteral("/") + FromUtf8(symbol.bass), quality, 0},
    };
    double wide = 0;
    for (const SymbolRun& run : runs) {
        wide += run.text.isEmpty() ? 0 : QFontMetricsF(run.font).horizontalAdvance(run.text);
    }
    // A symbol wider than its share of the measure is drawn smaller, as a whole.
    const double room = slot.width() - unit_ * 0.1;
    const double scale = wide > room && wide > 0 ? room / wide : 1.0;
    painter.save();
    painter.translate(slot.left(), slot.center().y() + unit_ * 0.36 * scale);
    painter.scale(scale, scale);
    double x = 0;
    for (const SymbolRun& run : runs) {
        if (run.text.isEmpty()) {
            continue;
        }
        painter.setFont(run.font);
        painter.drawText(QPointF(x, -run.rise), run.text);
        x += QFontMetricsF(run.font).horizontalAdvance(run.text);
    }
    painter.restore();
}

}  // namespace kaz
