#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kaz {

//! The chord voice Kaz plays for a chord suffix on the root C, semitones above the voice's root key, without
//! a chart's own chord shapes; nothing for a suffix it cannot read. Two spellings that give the same voice
//! play the same chord.
using ChordVoice = std::vector<int>;
[[nodiscard]] std::optional<ChordVoice> VoiceOfSuffix(std::string_view suffix);

//! Whether a chart reads symbol as one chord it plays: a root, a suffix it knows and an optional bass
//! ("Abmaj7#11/C"), or N.C.
[[nodiscard]] bool PlaysAsChord(std::string_view symbol);

}  // namespace kaz
