#pragma once

class QWidget;

namespace kaz {

//! Help > Chord reference: every chord spelling Kaz reads, on C, with the keys it plays. Modeless; the
//! window keeps one and shows it again.
void ShowChordReference(QWidget* owner);

}  // namespace kaz
