#pragma once

#include <string>
#include <string_view>

namespace kaz {

//! A chord symbol in the parts a lead sheet sets apart: the root letter at full size, its accidental and the
//! extensions raised, the chord's quality between them, the bass after a slash. Accidentals are written as
//! "♭" and "♯", major seventh as "Δ", half-diminished as "ø", diminished as "°".
struct ChordDisplay {
    std::string root;        //!< "F"
    std::string accidental;  //!< "♯", "♭" or empty
    std::string quality;     //!< "m", "Δ", "ø", "°", "+" or empty
    std::string extension;   //!< "7", "♭9", "7sus4", "6/9" ...
    std::string bass;        //!< "B♭"; empty without a bass

    //! The whole symbol in one line of text, as a screen reader or a search finds it: "F♯ø7", "C/E".
    [[nodiscard]] std::string Text() const;
    friend bool operator==(const ChordDisplay&, const ChordDisplay&) = default;
};

//! The display parts of a chord given as a root name ("F#", "Bb", "H"), the suffix as written and a bass name
//! (empty without one). A suffix the lead-sheet forms do not cover (a chord of the user's own) is shown as
//! written, raised.
[[nodiscard]] ChordDisplay DisplayChord(std::string_view rootName, std::string_view suffix,
                                        std::string_view bassName);

//! A note name with its accidental as a music sign: "Bb" as "B♭", "F#" as "F♯".
[[nodiscard]] std::string DisplayNoteName(std::string_view name);

}  // namespace kaz
