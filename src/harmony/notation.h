#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kaz {

struct Chord;
struct ScoreTree;

//! A bit set over the three spellings of B: bit 1 "B", bit 2 "Bb", bit 4 "H".
using NotationMode = std::uint8_t;

inline constexpr NotationMode kSpelledB = 1;
inline constexpr NotationMode kSpelledBb = 2;
inline constexpr NotationMode kSpelledH = 4;

inline constexpr NotationMode kEnglishNotation = kSpelledB | kSpelledBb;  //!< 3: B, Bb
inline constexpr NotationMode kGermanNotation = kSpelledB | kSpelledH;    //!< 5: H, B (B is B flat)
inline constexpr NotationMode kMixedNotation = kSpelledBb | kSpelledH;    //!< 6: H, Bb

//! True for the letters a note name starts with, A to H.
[[nodiscard]] constexpr bool IsNoteLetter(char letter) {
    return letter >= 'A' && letter <= 'H';
}

//! Pitch class of a note name (letter and at most one accidental), normalised to -8 .. 3.
[[nodiscard]] int ReadPitchClass(std::string_view name);

//! Normalise any pitch class to -8 .. 3 (E = -8 ... Eb = 3).
[[nodiscard]] int NormalisePitchClass(int pitch);

//! The B spelling bit a root or bass name records: kSpelledB, kSpelledBb, kSpelledH, or 0.
[[nodiscard]] NotationMode SpellingOf(std::string_view name);

//! The notation a chart is read in: the setting when the spellings seen fit it, otherwise the first of
//! English, German, mixed that they fit.
[[nodiscard]] NotationMode ResolveNotation(NotationMode seen, NotationMode setting);

//! Read "B" as B flat in one chord: lower a root spelled "B" (with its chord keys, and the bass key when
//! there is no slash bass) and a bass spelled "B" by a semitone. A key lowered below 0 is dropped.
void LowerGermanB(Chord& chord);

//! LowerGermanB for every chord of the score, in text order.
void LowerGermanBChords(ScoreTree& score);

//! The word of a notation in the chart's notation line and on the command line: "english", "german",
//! "mixed"; and back, nothing for another word.
[[nodiscard]] std::string_view NotationWord(NotationMode mode);
[[nodiscard]] std::optional<NotationMode> NotationFromWord(std::string_view word);

//! The stored text of a notation setting ("BBb", "HB", "HBb") and back; unknown text reads as English.
[[nodiscard]] std::string_view NotationSettingText(NotationMode mode);
[[nodiscard]] NotationMode NotationFromSettingText(std::string_view text);

}  // namespace kaz
