#pragma once

#include <string>
#include <vector>

#include "base/message.h"

namespace kaz {

//! One spelling Kaz reads, on the root C, and the keys its voice plays ("C3 B♭3 E4 G4"), as messages: most
//! are symbols and keys alone, a few are words for the window to translate.
struct ChordReferenceRow {
    Message spelling;
    Message plays;
};

struct ChordReferenceSection {
    Message title;
    std::vector<ChordReferenceRow> rows;
};

//! Every chord spelling Kaz reads, made from the tables and readers of the chord analysis and played
//! through it: the built-in suffixes, their alterations, the everyday spellings and the other ways of
//! writing their words, and no chord.
[[nodiscard]] std::vector<ChordReferenceSection> ChordReference();

}  // namespace kaz
