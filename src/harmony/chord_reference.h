#pragma once

#include <string>
#include <vector>

#include "base/message.h"

namespace kaz {

//! One spelling Kaz reads, on the root C, and the keys its voice plays ("C3 B♭3 E4 G4").
struct ChordReferenceRow {
    std::string spelling;
    std::string plays;
    Message playsSaid;  //!< plays, for the window to say in its language
};

struct ChordReferenceSection {
    std::string title;
    std::vector<ChordReferenceRow> rows;
};

//! Every chord spelling Kaz reads, made from the tables and readers of the chord analysis and played
//! through it: the built-in suffixes, their alterations, the everyday spellings and the other ways of
//! writing their words, and no chord.
[[nodiscard]] std::vector<ChordReferenceSection> ChordReference();

}  // namespace kaz
