// The chord diagrams of a chart sheet: a band over each row's marks with a diagram above every chord.
#include <QPainter>

#include "app/chart/chart_sheet.h"
#include "app/chord_diagram_drawing.h"

namespace kaz {

namespace {

//! The band's height in units, for each kind: a fretted diagram stands upright, a keyboard lies flat.
constexpr double kFrettedBand = 2.3;
constexpr double kPianoBand = 1.2;
//! A diagram is never wider than this many units, however much room its chord has.
constexpr double kWidestDiagram = 2.6;
constexpr double kGap = 0.15;

}  // namespace

double ChartSheet::DiagramBand() const {
    if (diagrams_ == nullptr) {
        return 0;
    }
    switch (diagrams_->Kind()) {
        case DiagramKind::Guitar:
        case DiagramKind::Ukulele:
            return unit_ * kFrettedBand;
        case DiagramKind::Piano:
            return unit_ * kPianoBand;
        case DiagramKind::None:
            break;
    }
    return 0;
}

namespace {

//! The diagram's place over a chord slot of the measure below: as high as the band, as wide as its kind
//! makes it, smaller when the slot is narrower.
QRectF DiagramArea(const QRectF& slot, double band, double unit, DiagramKind kind) {
    const double height = band - unit * kGap * 2;
    double width = std::min(height * DiagramAspect(kind), unit * kWidestDiagram);
    double scale = 1;
    if (width > slot.width() - unit * kGap) {
        scale = std::max(0.0, (slot.width() - unit * kGap) / width);
        width *= scale;
    }
    return {slot.left(), unit * kGap + height * (1 - scale), width, height * scale};
}

}  // namespace

void ChartSheet::DrawDiagrams(QPainter& painter, std::uint32_t measure, const ChartColours& colours) const {
    const double band = DiagramBand();
    const ChartMeasure& shown = layout_.measures[measure];
    if (band <= 0 || shown.repeatsPrevious) {
        return;
    }
    painter.save();
    painter.setFont(smallFont_);
    for (std::uint32_t i = 0; i < shown.chordCount; ++i) {
        const ChartChord& chord = layout_.chords[shown.firstChord + i];
        if (chord.kind != ChartChord::Kind::Chord) {
            continue;
        }
        const QRectF area = DiagramArea(ChordSlot(measure, i), band, unit_, diagrams_->Kind());
        DrawChordDiagram(painter, area, *diagrams_, chord.tones, chord.name, colours.ink, colours.paper);
    }
    painter.restore();
}

std::optional<std::uint32_t> ChartSheet::DiagramAt(std::size_t row, double x, double y) const {
    const double band = DiagramBand();
    const std::optional<std::uint32_t> measure = MeasureAt(row, x);
    if (band <= 0 || !measure || y < 0 || y > band || layout_.measures[*measure].repeatsPrevious) {
        return std::nullopt;
    }
    const ChartMeasure& shown = layout_.measures[*measure];
    for (std::uint32_t i = 0; i < shown.chordCount; ++i) {
        const QRectF area = DiagramArea(ChordSlot(*measure, i), band, unit_, diagrams_->Kind());
        if (area.contains(x, y) && layout_.chords[shown.firstChord + i].kind == ChartChord::Kind::Chord) {
            return shown.firstChord + i;
        }
    }
    return std::nullopt;
}

}  // namespace kaz
