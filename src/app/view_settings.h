#pragma once

#include <QString>

#include "chart/chord_diagram.h"
#include "chart/chord_numbers.h"

namespace kaz {

//! Whether the chart is checked as it is typed (View > Check as you type): the value "CheckAsYouType" in the
//! group "View" of the program's settings, on unless turned off.
[[nodiscard]] bool LoadCheckAsYouType();
void SaveCheckAsYouType(bool on);

//! Whether the chart view is shown: "View/ChartView", off unless turned on.
[[nodiscard]] bool LoadChartView();
void SaveChartView(bool shown);
//! How the chart view and the printout name the chords: "View/Numbers", "letters", "roman" or "nashville";
//! letters unless chosen.
[[nodiscard]] ChordNumbers LoadChordNumbers();
void SaveChordNumbers(ChordNumbers numbers);
//! The diagrams over the chart's chords: "View/Diagrams", "none", "guitar", "ukulele" or "piano"; none
//! unless chosen.
[[nodiscard]] DiagramKind LoadDiagramKind();
void SaveDiagramKind(DiagramKind kind);
//! The zoom of the editor and the chart view in percent: "View/Zoom", 100 unless changed.
[[nodiscard]] int LoadZoomPercent();
void SaveZoomPercent(int percent);
//! The theme's name: "View/Theme", "system" unless chosen.
[[nodiscard]] QString LoadThemeName();
void SaveThemeName(const QString& name);
//! Whether the check as you type marks spellings that most likely mean something else (Settings > Spelling
//! hints): the value "SpellingHints" in the group "View", on unless turned off.
[[nodiscard]] bool LoadSpellingHints();
void SaveSpellingHints(bool on);

}  // namespace kaz
