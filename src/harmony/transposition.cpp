#include "harmony/transposition.h"

#include "harmony/chord_analysis.h"

namespace kaz {

namespace {

constexpr int kB = 11;
constexpr int kBFlat = 10;

constexpr std::array<std::string_view, kPitchClassCount> kRowLabels{
    "C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab", "A", "A#/Bb", "B"};

//! Repeat, rest and hold signs and "N.C." carry no name to rewrite.
bool IsSign(const Chord& chord) {
    if (chord.text().empty()) {
        return true;
    }
    const char first = chord.text().front();
    return first == '/' || first == '-' || first == '=' || IsNoChord(chord.text());
}

std::string TransposedSymbol(const Chord& chord, int shift,
                             const std::array<std::string, kPitchClassCount>& names) {
    std::string symbol = names[MovedPitchClass(chord.rootPitch, shift)];
    symbol += chord.suffix();
    if (!chord.bassName.empty()) {
        symbol += '/';
        symbol += names[MovedPitchClass(chord.bassPitch, shift)];
    }
    return symbol;
}

//! The B spellings the rewrite writes: kSpelledB, kSpelledBb and kSpelledH bits.
NotationMode SpellingsWritten(const RecordList<Chord>& chords, int shift,
                              const std::array<std::string, kPitchClassCount>& names) {
    NotationMode written = 0;
    for (const Chord& chord : chords) {
        if (IsSign(chord)) {
            continue;
        }
        written |= SpellingOf(names[MovedPitchClass(chord.rootPitch, shift)]);
        if (!chord.bassName.empty()) {
            written |= SpellingOf(names[MovedPitchClass(chord.bassPitch, shift)]);
        }
    }
    return written;
}

}  // namespace

int MovedPitchClass(int pitch, int shift) {
    return ((pitch + shift) % kPitchClassCount + kPitchClassCount) % kPitchClassCount;
}

void NoteNameTables::FollowNotation(NotationMode resolved) {
    switch (resolved) {
        case kGermanNotation:
            sharpNames[kB] = "H";
            flatNames[kBFlat] = "B";
            break;
        case kMixedNotation:
            sharpNames[kB] = "H";
            flatNames[kBFlat] = "Bb";
            break;
        default:
            sharpNames[kB] = "B";
            flatNames[kBFlat] = "Bb";
            break;
    }
}

std::string_view NoteNameTables::ChosenName(int pitchClass) const {
    return spellingChoice[pitchClass] == Spelling::Flat ? flatNames[pitchClass] : sharpNames[pitchClass];
}

TransposeDialogModel::TransposeDialogModel(NoteNameTables& tables, NotationMode resolved) : tables_(tables) {
    for (int i = 0; i < kPitchClassCount; ++i) {
        rows_[i].label = kRowLabels[i];
    }
    if ((resolved & kSpelledH) != 0) {
        rows_[kB].label = "H";
    }
    if (resolved == kGermanNotation) {
        rows_[kBFlat].label = "A#/B";
    }
    tables_.FollowNotation(resolved);
    Relabel();
}

void TransposeDialogModel::SelectEntry(int entry) {
    if (entry < 0 || entry >= kEntryCount) {
        return;
    }
    selectedEntry_ = entry;
    Relabel();
}

void TransposeDialogModel::ClickRow(int row) {
    if (row < 0 || row >= kPitchClassCount) {
        return;
    }
    const int target = TargetOf(row);
    Spelling& choice = tables_.spellingChoice[target];
    if (choice == Spelling::Natural) {
        return;
    }
    choice = choice == Spelling::Sharp ? Spelling::Flat : Spelling::Sharp;
    SetChecks(rows_[row], target);
}

TransposeResult TransposeDialogModel::Accept() const {
    TransposeResult result;
    result.shift = Shift();
    for (int i = 0; i < kPitchClassCount; ++i) {
        result.names[i] = tables_.ChosenName(i);
    }
    return result;
}

int TransposeDialogModel::TargetOf(int row) const {
    return MovedPitchClass(row, Shift());
}

void TransposeDialogModel::Relabel() {
    for (int i = 0; i < kPitchClassCount; ++i) {
        const int target = TargetOf(i);
        Row& row = rows_[i];
        row.sharpButton = tables_.sharpNames[target];
        row.flatButton = tables_.flatNames[target];
        row.flatShown = tables_.spellingChoice[target] != Spelling::Natural;
        SetChecks(row, target);
    }
}

void TransposeDialogModel::SetChecks(Row& row, int target) {
    const bool flat = tables_.spellingChoice[target] == Spelling::Flat;
    row.sharpChecked = !flat;
    row.flatChecked = flat;
}

void ApplyTransposition(const TextReplacer& replace, const RecordList<Chord>& chords, int shift,
                        const std::array<std::string, kPitchClassCount>& names) {
    int growth = 0;
    for (const Chord& chord : chords) {
        if (IsSign(chord)) {
            continue;
        }
        const std::string symbol = TransposedSymbol(chord, shift, names);
        replace({chord.textStart + growth, chord.textEnd + growth}, symbol);
        growth += static_cast<int>(symbol.size()) - (chord.textEnd - chord.textStart);
    }
}

void ApplyTransposition(SplicedText& text, const RecordList<Chord>& chords, int shift,
                        const std::array<std::string, kPitchClassCount>& names) {
    ApplyTransposition(
        [&text](TextRange range, std::string_view replacement) { text.Replace(range, replacement); }, chords,
        shift, names);
}

void KeepNotationReadable(std::array<std::string, kPitchClassCount>& names, const RecordList<Chord>& chords,
                          int shift, NotationMode resolved, NotationMode setting) {
    if (SpellingsWritten(chords, shift, names) != kSpelledB ||
        ResolveNotation(kSpelledB, setting) == resolved) {
        return;
    }
    // Assigning whole strings rather than literals keeps GCC 12 from a false -Wrestrict warning at -O3.
    if (resolved == kGermanNotation) {
        names[kBFlat] = std::string("A#");
    } else {
        names[kB] = std::string("H");
    }
}

}  // namespace kaz
