#include "harmony/notation.h"

#include <algorithm>

#include "harmony/score_tree.h"

namespace kaz {

namespace {

// Semitones above C of the letters A to H.
constexpr int kLetterPitch[] = {9, 11, 0, 2, 4, 5, 7, 11};

constexpr bool Fits(NotationMode seen, NotationMode mode) {
    return (seen & ~mode) == 0;
}

constexpr bool IsNotationMode(NotationMode mode) {
    return mode == kEnglishNotation || mode == kGermanNotation || mode == kMixedNotation;
}

// Lower the keys notes[first .. last) by a semitone, dropping those that would fall below 0.
void LowerKeys(Chord& chord, int first, int last) {
    int kept = first;
    for (int i = first; i < last; ++i) {
        if (chord.notes[i] > 0) {
            chord.notes[kept++] = static_cast<std::int8_t>(chord.notes[i] - 1);
        }
    }
    const int dropped = last - kept;
    std::copy(chord.notes + last, chord.notes + chord.noteCount, chord.notes + kept);
    chord.noteCount = static_cast<std::int8_t>(chord.noteCount - dropped);
}

}  // namespace

int NormalisePitchClass(int pitch) {
    const int shifted = (pitch + 8) % 12;
    return (shifted < 0 ? shifted + 12 : shifted) - 8;
}

int ReadPitchClass(std::string_view name) {
    if (name.empty() || !IsNoteLetter(name[0])) {
        return 0;
    }
    int pitch = kLetterPitch[name[0] - 'A'];
    if (name.size() > 1) {
        if (name[1] == '#') {
            pitch += 1;
        } else if (name[1] == 'b') {
            pitch += 11;
        }
    }
    return NormalisePitchClass(pitch);
}

NotationMode SpellingOf(std::string_view name) {
    // Called for every chord of a chart: the other letters leave at once.
    if (name.empty() || (name.front() != 'B' && name.front() != 'H')) {
        return 0;
    }
    if (name == "B") {
        return kSpelledB;
    }
    if (name == "Bb") {
        return kSpelledBb;
    }
    if (name == "H") {
        return kSpelledH;
    }
    return 0;
}

NotationMode ResolveNotation(NotationMode seen, NotationMode setting) {
    if (!IsNotationMode(setting)) {
        setting = kEnglishNotation;
    }
    if (Fits(seen, setting)) {
        return setting;
    }
    for (NotationMode mode : {kEnglishNotation, kGermanNotation, kMixedNotation}) {
        if (Fits(seen, mode)) {
            return mode;
        }
    }
    // All three spellings: chord analysis rejects such a chart before it gets here.
    return setting;
}

void LowerGermanB(Chord& chord) {
    if (chord.noteCount == 0) {
        return;
    }
    const bool rootIsB = chord.rootName == "B";
    const bool bassIsB = chord.bassName == "B";
    if (rootIsB) {
        --chord.rootPitch;
        LowerKeys(chord, 1, chord.noteCount);
    }
    if (bassIsB || (rootIsB && chord.bassName.empty())) {
        if (bassIsB) {
            --chord.bassPitch;
        } else {
            chord.bassPitch = chord.rootPitch;
        }
        // The bass key lies at 27 or above, so lowering it never drops it.
        chord.notes[0] = static_cast<std::int8_t>(chord.notes[0] - 1);
    }
}

void LowerGermanBChords(ScoreTree& score) {
    for (Chord& chord : score.allChords) {
        LowerGermanB(chord);
    }
}

std::string_view NotationWord(NotationMode mode) {
    if (mode == kGermanNotation) {
        return "german";
    }
    if (mode == kMixedNotation) {
        return "mixed";
    }
    return "english";
}

std::optional<NotationMode> NotationFromWord(std::string_view word) {
    for (NotationMode mode : {kEnglishNotation, kGermanNotation, kMixedNotation}) {
        if (word == NotationWord(mode)) {
            return mode;
        }
    }
    return std::nullopt;
}

std::string_view NotationSettingText(NotationMode mode) {
    if (mode == kGermanNotation) {
        return "HB";
    }
    if (mode == kMixedNotation) {
        return "HBb";
    }
    return "BBb";
}

NotationMode NotationFromSettingText(std::string_view text) {
    if (text == "HB") {
        return kGermanNotation;
    }
    if (text == "HBb") {
        return kMixedNotation;
    }
    return kEnglishNotation;
}

}  // namespace kaz
