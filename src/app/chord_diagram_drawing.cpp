#include "app/chord_diagram_drawing.h"

#include <QPainter>
#include <algorithm>
#include <array>

namespace kaz {

namespace {

//! Frets a diagram shows: the hand's four and one more.
constexpr int kFretsShown = 5;
constexpr int kOctave = 12;
constexpr int kWhiteKeysPerOctave = 7;
//! The white key each semitone of an octave lies on or after, and whether it is a black key.
constexpr std::array<int, 12> kWhiteKeyOf{0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr std::array<bool, 12> kBlack{false, true,  false, true,  false, false,
                                      true,  false, true,  false, true,  false};

}  // namespace

double DiagramAspect(DiagramKind kind) {
    switch (kind) {
        case DiagramKind::Guitar:
            return 0.8;
        case DiagramKind::Ukulele:
            return 0.6;
        case DiagramKind::Piano:
            return 2.2;
        case DiagramKind::None:
            break;
    }
    return 0;
}

void DrawFrettedDiagram(QPainter& painter, const QRectF& area, const FrettedShape& shape, const QColor& ink) {
    const int strings = static_cast<int>(shape.frets.size());
    if (strings < 2 || area.width() <= 0 || area.height() <= 0) {
        return;
    }
    // Room above the grid for the open and silent strings' signs, at the left for the first fret's number.
    const double top = area.top() + area.height() * 0.16;
    const double left = area.left() + area.width() * 0.2;
    const double right = area.right() - area.width() * 0.05;
    const double bottom = area.bottom() - area.height() * 0.02;
    const double stringGap = (right - left) / (strings - 1);
    const double fretGap = (bottom - top) / kFretsShown;
    const int first = shape.HighestFret() <= kFretsShown ? 1 : shape.LowestFret();
    const double line = std::max(0.6, area.width() * 0.025);
    painter.save();
    painter.setPen(QPen(ink, line));
    painter.setBrush(Qt::NoBrush);
    for (int s = 0; s < strings; ++s) {
        painter.drawLine(QPointF(left + s * stringGap, top), QPointF(left + s * stringGap, bottom));
    }
    for (int f = 0; f <= kFretsShown; ++f) {
        painter.drawLine(QPointF(left, top + f * fretGap), QPointF(right, top + f * fretGap));
    }
    if (first == 1) {
        // The nut: a thick line at the top.
        painter.fillRect(QRectF(left - line / 2, top - line * 2.5, right - left + line, line * 3), ink);
    } else {
        QFont font = painter.font();
        font.setPixelSize(std::max(1, static_cast<int>(fretGap * 0.8)));
        painter.setFont(font);
        painter.drawText(QRectF(area.left(), top, left - area.left() - stringGap * 0.3, fretGap),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(first));
    }
    const double dot = std::min(stringGap, fretGap) * 0.36;
    const double sign = std::min(stringGap * 0.3, (top - area.top()) * 0.4);
    painter.setBrush(ink);
    if (shape.barreFret > 0) {
        const double y = top + (shape.barreFret - first + 0.5) * fretGap;
        painter.drawRoundedRect(QRectF(left + shape.barreFrom * stringGap - dot, y - dot,
                                       (shape.barreTo - shape.barreFrom) * stringGap + 2 * dot, 2 * dot),
                                dot, dot);
    }
    for (int s = 0; s < strings; ++s) {
        const int fret = shape.frets[static_cast<std::size_t>(s)];
        const double x = left + s * stringGap;
        if (fret > 0) {
            painter.drawEllipse(QPointF(x, top + (fret - first + 0.5) * fretGap), dot, dot);
            continue;
        }
        const QPointF mark(x, top - sign * 1.9);
        painter.save();
        painter.setBrush(Qt::NoBrush);
        if (fret == 0) {
            painter.drawEllipse(mark, sign, sign);
        } else {
            painter.drawLine(mark + QPointF(-sign, -sign), mark + QPointF(sign, sign));
            painter.drawLine(mark + QPointF(-sign, sign), mark + QPointF(sign, -sign));
        }
        painter.restore();
    }
    painter.restore();
}

void DrawPianoDiagram(QPainter& painter, const QRectF& area, const std::vector<int>& keys, const QColor& ink,
                      const QColor& paper) {
    if (area.width() <= 0 || area.height() <= 0) {
        return;
    }
    const int highest = keys.empty() ? 0 : keys.back();
    const int octaves = std::max(2, highest / kOctave + 1);
    const int whites = octaves * kWhiteKeysPerOctave;
    const double white = area.width() / whites;
    const double line = std::max(0.6, white * 0.08);
    const auto pressed = [&](int key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); };
    painter.save();
    painter.setPen(QPen(ink, line));
    for (int w = 0; w < whites; ++w) {
        const int key =
            (w / kWhiteKeysPerOctave) * kOctave +
            static_cast<int>(std::find(kWhiteKeyOf.begin(), kWhiteKeyOf.end(), w % kWhiteKeysPerOctave) -
                             kWhiteKeyOf.begin());
        painter.setBrush(paper);
        const QRectF rect(area.left() + w * white, area.top(), white, area.height());
        painter.drawRect(rect);
        if (pressed(key)) {
            painter.setBrush(ink);
            painter.drawEllipse(QPointF(rect.center().x(), rect.bottom() - white * 0.7), white * 0.3,
                                white * 0.3);
        }
    }
    for (int key = 0; key < octaves * kOctave; ++key) {
        if (!kBlack[static_cast<std::size_t>(key % kOctave)]) {
            continue;
        }
        const int w =
            (key / kOctave) * kWhiteKeysPerOctave + kWhiteKeyOf[static_cast<std::size_t>(key % kOctave)];
        const QRectF rect(area.left() + (w + 1) * white - white * 0.3, area.top(), white * 0.6,
                          area.height() * 0.6);
        painter.setBrush(ink);
        painter.drawRect(rect);
        if (pressed(key)) {
            painter.setBrush(paper);
            painter.drawEllipse(QPointF(rect.center().x(), rect.bottom() - white * 0.45), white * 0.22,
                                white * 0.22);
        }
    }
    painter.restore();
}

void DrawChordDiagram(QPainter& painter, const QRectF& area, const ChordDiagramBook& book,
                      const DiagramTones& tones, std::string_view name, const QColor& ink,
                      const QColor& paper) {
    if (tones.empty()) {
        return;
    }
    if (book.Kind() == DiagramKind::Piano) {
        DrawPianoDiagram(painter, area, PianoKeys(tones), ink, paper);
    } else if (const FrettedShape* shape = book.ShapeOf(tones, name)) {
        DrawFrettedDiagram(painter, area, *shape, ink);
    }
}

}  // namespace kaz
