#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kaz {

//! A note name as German musicians write it, and its English name: "Fis" is F#, "Es" E flat, "His" B#.
struct GermanNoteName {
    std::string_view german;
    std::string_view english;
};

//! The German names with an accidental: "is" raises a letter, "es" (after A and E only "s") lowers it. B and
//! H are the notation's own (see notation.h).
[[nodiscard]] std::span<const GermanNoteName> GermanNoteNames();

//! A note name at the front of a text, as it was written there.
struct WrittenNoteName {
    std::string english;     //!< with a capital: "F#", "Eb", "B", "H"
    std::size_t length = 0;  //!< bytes written
    bool german = false;     //!< with a German accidental: "Fis", "es"
    bool lowercase = false;  //!< "fis", "d", "h": the German way of writing a minor chord
};

//! The note name at the front of text: a letter A to H (a to h when lowercase is allowed) with a German
//! accidental, or with "#" or "b"; the longest that fits. Nothing when text starts otherwise.
[[nodiscard]] std::optional<WrittenNoteName> ReadWrittenNoteName(std::string_view text,
                                                                 bool lowercaseAllowed);

//! An English note name ("F#", "Eb", "B#", "Cb") with a German accidental ("Fis", "Es", "His", "Ces"); a name
//! without an accidental, B flat ("Bb") among them, as it is.
[[nodiscard]] std::string GermanForm(std::string_view englishName);

//! Where a chart writes a key as German musicians name it ("D-Dur", "fis-Moll", "Esdur") in place of a chord:
//! the text it takes and how to write the chord and the key instead.
struct KeyInPlaceOfChord {
    std::size_t start = 0;  //!< in the chart text
    std::size_t end = 0;
    std::string chord;  //!< "D", "Fism"
};

//! The key name that the chord symbol at [start, end) of text belongs to, if it is one: the symbol itself
//! ("D-moll"), the symbol and the word after it ("fis-" "Moll"), or the word and the note before it ("D-"
//! "Dur").
[[nodiscard]] std::optional<KeyInPlaceOfChord> KeyWrittenAsChord(std::string_view text, std::size_t start,
                                                                 std::size_t end);

}  // namespace kaz
