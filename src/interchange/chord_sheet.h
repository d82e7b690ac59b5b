#pragma once

#include <string>
#include <string_view>

namespace kaz {

//! Whether text is a chord sheet: lines of chords alone, each over the line of words it is sung to.
[[nodiscard]] bool IsChordSheet(std::string_view text);

//! A chord sheet as ChordPro: its first line the title unless it holds chords, a label ("[Verse 1]",
//! "Chorus:") the start of the section it names, and each line of chords set into the words under it at
//! the columns the chords stand in.
[[nodiscard]] std::string ChordProOfSheet(std::string_view text);

}  // namespace kaz
