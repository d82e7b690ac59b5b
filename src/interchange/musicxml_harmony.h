#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaz {

//! A chord symbol as MusicXML describes it: root, kind, alterations and additions, bass.
struct HarmonyDescription {
    char rootStep = 'C';
    int rootAlter = 0;
    std::string kind = "major";  //!< a MusicXML kind value
    std::string text;            //!< how the chart writes the suffix, for display
    struct Degree {
        int value = 0;
        int alter = 0;
        std::string type;     //!< "add", "alter" or "subtract"
        bool printed = true;  //!< false for a degree the kind's text already shows
    };
    std::vector<Degree> degrees;
    bool hasBass = false;
    char bassStep = 'C';
    int bassAlter = 0;
    int inversion = 0;  //!< 1 the third in the bass, 2 the fifth, 3 the seventh; 0 root position
};

//! The description of a chart chord ("Cm7b5", "F#7b9/C", "N.C."); false for text that is no chord symbol.
//! Degrees the kind holds are altered, the others added, their alterations counted from the dominant chord.
[[nodiscard]] bool DescribeChord(std::string_view chord, HarmonyDescription& description);

//! How the chart writes a described chord.
struct WrittenChord {
    //! The chord in its everyday spelling, as Kaz plays it ("G7b9", "Abmaj7#11/C", "N.C."), or the nearest
    //! one it plays.
    std::string symbol;
    //! The whole chord as described when symbol plays less of it ("C7add11", "C7(no3)"); otherwise empty.
    std::string described;
};
[[nodiscard]] WrittenChord WrittenChordOf(const HarmonyDescription& description);

//! A key signature: how many sharps (above 0) or flats (below 0), and whether it is minor.
struct KeySignature {
    int fifths = 0;
    bool minor = false;
};
//! The name of a key signature's key: "Eb", "F#m". fifths is kept within -7..7.
[[nodiscard]] std::string KeyName(KeySignature signature);
//! The signature of a key as a chart names it ("Bb", "C#m", "Ebm"); nothing for another text.
[[nodiscard]] std::optional<KeySignature> SignatureOfKey(std::string_view key);

}  // namespace kaz
