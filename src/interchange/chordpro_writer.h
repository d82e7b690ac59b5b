#pragma once

#include <string>
#include <vector>

#include "base/message.h"
#include "interchange/lead_sheet.h"

namespace kaz {

//! The song as a ChordPro file: title, composer, key, tempo, meter and capo as directives; each section a
//! verse, chorus or bridge of its sung lines (the chords in brackets where they are sung) or a grid of its
//! measures, labelled with its name; a chorus sung again as "{chorus}". With a capo the chords are written
//! as the shapes the guitarist fingers, as ChordPro files have them.
[[nodiscard]] std::string WriteChordPro(const LeadSheet& sheet);

//! What ChordPro has no place for: the style, the endings, signs and jumps of the form, repeat counts, holds
//! that a grid cannot place, and the bar lines, holds and repeat signs of a sung line; one remark each, by
//! the measure's number on the sheet.
[[nodiscard]] std::vector<Message> ChordProDifferences(const LeadSheet& sheet);

}  // namespace kaz
