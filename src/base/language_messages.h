#pragma once

#include "base/message.h"

namespace kaz {

//! The messages of the chart language's German spellings, key marks and tempo marks, in one
//! place: the patterns of their Message, plain English with numbered places ("%1", "%2") for their values.
namespace messages {

//! %1 the chart written in English names: "F#7".
inline constexpr const char* kGermanNameInEnglish =
    "A German note name in English notation (write %1, or choose German notation)";
//! %1 the chart written with a capital and "m": "Dm7".
inline constexpr const char* kLowercaseInEnglish =
    "A lowercase minor chord in English notation (write %1, or choose German notation)";
//! %1 the chord ("D", "F#m"), %2 the key ("D", "F#m").
inline constexpr const char* kKeyNameNotChord =
    "A key, not a chord (write %1 for the chord, [KEY=%2] for the key)";
//! The hint at a chart's first B when nothing in the chart says which B it means.
inline constexpr const char* kBReadAsEnglish =
    "B read as B natural (English notation); write Bb, or choose German notation";
inline constexpr const char* kBReadAsGerman =
    "B read as B flat (German notation); write H for B natural, or choose English notation";
inline constexpr const char* kInvalidKey = "Invalid key";
//! %1 the mark as it is written right: "[TEMPO=120]".
inline constexpr const char* kMisspeltMark = "A mark written wrong (write %1)";

}  // namespace messages

}  // namespace kaz
