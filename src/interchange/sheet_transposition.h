#pragma once

#include "interchange/lead_sheet.h"

namespace kaz {

//! Move every chord of sheet (roots and slash basses; suffixes and signs as written) and its key by shift
//! semitones, spelled with the sharps or flats of the key they move to: the sheet's own key where it names
//! one, the key heard from its chords otherwise. A chord the program cannot read stays as written.
void TransposeSheet(LeadSheet& sheet, int shift);

}  // namespace kaz
