#pragma once

#include <QColor>
#include <QRectF>
#include <vector>

#include "chart/chord_diagram.h"

class QPainter;

namespace kaz {

//! How wide a diagram of kind is for its height.
[[nodiscard]] double DiagramAspect(DiagramKind kind);

//! A fretted instrument's shape in area, as chord books draw it: the strings upright, the nut or the frets
//! across, a dot where a finger stops a string, the barre as one bar, a ring over an open string and a cross
//! over one not played, and the first fret's number beside a shape up the neck.
void DrawFrettedDiagram(QPainter& painter, const QRectF& area, const FrettedShape& shape, const QColor& ink);

//! Two octaves of a keyboard in area (more when the chord reaches higher), the keys of the chord marked;
//! keys in semitones above the keyboard's first C.
void DrawPianoDiagram(QPainter& painter, const QRectF& area, const std::vector<int>& keys, const QColor& ink,
                      const QColor& paper);

//! The diagram of book's kind for a chord with tones, named name (for the chart's own choice of shape), in
//! area; nothing for no chord.
void DrawChordDiagram(QPainter& painter, const QRectF& area, const ChordDiagramBook& book,
                      const DiagramTones& tones, std::string_view name, const QColor& ink,
                      const QColor& paper);

}  // namespace kaz
