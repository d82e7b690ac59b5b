#pragma once

#include <string_view>

#include "harmony/chord_definitions.h"
#include "harmony/score_tree.h"

namespace kaz {

enum class ChordAnalysis { Ok, Unknown, Ambiguous };

//! Fill chord from its symbol: names, pitch classes, bass key and chord voice. Reads and updates the
//! tree's bLettersSeen and lastChord; chord definitions come first, then the fixed suffixes, then the
//! general suffix reader.
[[nodiscard]] ChordAnalysis AnalyzeChord(Chord& chord, std::string_view text, ScoreTree& score,
                                         const ChordDefinitions& definitions);

//! The general suffix reader: quality, one number, alterations. chord.rootPitch must be set.
[[nodiscard]] bool ParseChordSuffix(Chord& chord);

}  // namespace kaz
