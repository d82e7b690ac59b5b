#include "chart/chord_numbers.h"

#include <array>

#include "harmony/transposition.h"

namespace kaz {

namespace {

constexpr std::string_view kFlat = "\u266D";
constexpr std::string_view kSharp = "\u266F";

//! The degree of the major scale each semitone above the tonic is written as, and its accidental.
struct Degree {
    int number = 1;  //!< 1..7
    std::string_view accidental;
};
constexpr std::array<Degree, 12> kDegrees{{{1, ""},
                                           {2, kFlat},
                                           {2, ""},
                                           {3, kFlat},
                                           {3, ""},
                                           {4, ""},
                                           {5, kFlat},  // a minor chord there is the raised fourth
                                           {5, ""},
                                           {6, kFlat},
                                           {6, ""},
                                           {7, kFlat},
                                           {7, ""}}};
constexpr int kTritone = 6;

constexpr std::array<std::string_view, 8> kUpperNumerals{"", "I", "II", "III", "IV", "V", "VI", "VII"};
constexpr std::array<std::string_view, 8> kLowerNumerals{"", "i", "ii", "iii", "iv", "v", "vi", "vii"};

//! A minor third above the root and no major one.
bool SoundsMinor(const Chord& chord) {
    bool minorThird = false;
    bool majorThird = false;
    const int root = MovedPitchClass(chord.rootPitch, 0);
    for (int i = 1; i < chord.noteCount; ++i) {
        const int interval = MovedPitchClass(chord.notes[i] - root, 0);
        minorThird = minorThird || interval == 3;
        majorThird = majorThird || interval == 4;
    }
    return minorThird && !majorThird;
}

Degree DegreeOf(int interval, bool minor) {
    if (interval == kTritone && minor) {
        return {4, kSharp};
    }
    return kDegrees[static_cast<std::size_t>(interval)];
}

std::string NashvilleNumber(const Degree& degree) {
    return std::string(degree.accidental) + std::to_string(degree.number);
}

}  // namespace

std::string_view ChordNumbersCode(ChordNumbers numbers) {
    switch (numbers) {
        case ChordNumbers::Roman:
            return "roman";
        case ChordNumbers::Nashville:
            return "nashville";
        case ChordNumbers::Letters:
            break;
    }
    return "letters";
}

std::optional<ChordNumbers> ChordNumbersFromCode(std::string_view code) {
    for (const ChordNumbers numbers : {ChordNumbers::Letters, ChordNumbers::Roman, ChordNumbers::Nashville}) {
        if (code == ChordNumbersCode(numbers)) {
            return numbers;
        }
    }
    return std::nullopt;
}

ChordDisplay NumberedChord(const Chord& chord, MusicalKey key, ChordNumbers numbers) {
    // The quality and extensions as the letters show them; only the root and the bass become degrees.
    ChordDisplay shown = DisplayChord("C", chord.suffix(), "");
    const bool minor = SoundsMinor(chord);
    const Degree root = DegreeOf(MovedPitchClass(chord.rootPitch, -key.tonic), minor);
    if (numbers == ChordNumbers::Roman) {
        const auto& numerals = minor ? kLowerNumerals : kUpperNumerals;
        shown.root =
            std::string(root.accidental) + std::string(numerals[static_cast<std::size_t>(root.number)]);
        // The lowercase numeral says minor already.
        if (shown.quality == "m") {
            shown.quality.clear();
        }
    } else {
        shown.root = NashvilleNumber(root);
    }
    if (!chord.bassName.empty()) {
        shown.bass = NashvilleNumber(DegreeOf(MovedPitchClass(chord.bassPitch, -key.tonic), false));
    }
    return shown;
}

}  // namespace kaz
