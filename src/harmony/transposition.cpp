#include "harmony/transposition.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "harmony/chord_analysis.h"
#include "harmony/german_names.h"

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

//! The lone "B" a rewrite would leave written the way every notation reads alike: B flat of a German chart as
//! "A#", B of an English chart as "H".
void MakeLoneBReadable(std::array<std::string, kPitchClassCount>& names, NotationMode resolved) {
    // Assigning whole strings rather than literals keeps GCC 12 from a false -Wrestrict warning at -O3.
    if (resolved == kGermanNotation) {
        names[kBFlat] = std::string("A#");
    } else {
        names[kB] = std::string("H");
    }
}

//! Whether a rewrite that writes only the B spellings written would leave the chart for setting to read in
//! another notation than resolved.
bool LeavesALoneB(NotationMode written, NotationMode resolved, NotationMode setting) {
    return written == kSpelledB && ResolveNotation(kSpelledB, setting) != resolved;
}

//! One change of the chart's text, at the range the compile gave it.
struct Rewrite {
    std::int32_t start = 0;
    std::int32_t end = 0;
    std::string text;
};

void ApplyRewrites(SplicedText& text, std::vector<Rewrite>& rewrites) {
    std::stable_sort(rewrites.begin(), rewrites.end(),
                     [](const Rewrite& a, const Rewrite& b) { return a.start < b.start; });
    int growth = 0;
    for (const Rewrite& rewrite : rewrites) {
        text.Replace({rewrite.start + growth, rewrite.end + growth}, rewrite.text);
        growth += static_cast<int>(rewrite.text.size()) - (rewrite.end - rewrite.start);
    }
}

//! The keys of a chart, each with the names it is spelled by, from a text offset on.
struct KeyRegion {
    std::int32_t from = 0;
    MusicalKey key;
    std::array<std::string, kPitchClassCount> names;
};

std::vector<KeyRegion> KeyRegionsOf(const ScoreTree& score) {
    std::vector<KeyRegion> regions;
    if (score.keyMarks.empty()) {
        regions.push_back({0, KeyOfChart(score.allChords), {}});
    }
    for (const KeyMark& mark : score.keyMarks) {
        regions.push_back({regions.empty() ? 0 : mark.textStart, KeyOfMark(mark, score.bLettersSeen), {}});
    }
    return regions;
}

const KeyRegion& RegionAt(const std::vector<KeyRegion>& regions, std::int32_t offset) {
    const auto after =
        std::upper_bound(regions.begin() + 1, regions.end(), offset,
                         [](std::int32_t at, const KeyRegion& region) { return at < region.from; });
    return *std::prev(after);
}

}  // namespace

std::string TransposedSymbol(const Chord& chord, int shift,
                             const std::array<std::string, kPitchClassCount>& names) {
    std::string symbol = names[MovedPitchClass(chord.rootPitch, shift)];
    if (IsWrittenLowercase(chord)) {
        symbol[0] = static_cast<char>(symbol[0] - 'A' + 'a');
    }
    symbol += WrittenSuffix(chord);
    if (!chord.bassName.empty()) {
        symbol += '/';
        symbol += names[MovedPitchClass(chord.bassPitch, shift)];
    }
    return symbol;
}

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

TransposeDialogModel::TransposeDialogModel(NoteNameTables& tables, NotationMode resolved)
    : TransposeDialogModel(tables, TransposeOffer{resolved, MusicalKey{}, false}) {}

TransposeDialogModel::TransposeDialogModel(NoteNameTables& tables, const TransposeOffer& offer)
    : tables_(tables), offer_(offer), byKey_(offer.keyMarked) {
    const NotationMode resolved = offer.resolved;
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

std::array<std::string, TransposeDialogModel::kEntryCount> TransposeDialogModel::KeyEntries() const {
    std::array<std::string, kEntryCount> entries;
    for (int entry = 0; entry < kEntryCount; ++entry) {
        const MusicalKey key = MovedKey(offer_.key, entry - kUnshiftedEntry);
        entries[entry] = KeySpellings(key, offer_.resolved)[key.tonic] + (key.minor ? "m" : "");
    }
    return entries;
}

void TransposeDialogModel::SelectKey(int entry) {
    if (entry < 0 || entry >= kEntryCount) {
        return;
    }
    byKey_ = true;
    SelectEntry(entry);
}

void TransposeDialogModel::SetSpellByKey(bool byKey) {
    byKey_ = byKey || offer_.keyMarked;
    Relabel();
}

void TransposeDialogModel::ClickRow(int row) {
    // Spelled by key, the key chooses the names.
    if (row < 0 || row >= kPitchClassCount || byKey_) {
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
    result.byKey = byKey_;
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
    const bool flat = byKey_ ? KeySpellings(MovedKey(offer_.key, Shift()), offer_.resolved)[target] ==
                                   tables_.flatNames[target]
                             : tables_.spellingChoice[target] == Spelling::Flat;
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

void ApplyKeyTransposition(SplicedText& text, const ScoreTree& score, int shift, NotationMode setting) {
    const NotationMode resolved = score.bLettersSeen;
    std::vector<KeyRegion> regions = KeyRegionsOf(score);
    for (KeyRegion& region : regions) {
        region.key = MovedKey(region.key, shift);
        region.names = KeySpellings(region.key, resolved);
    }
    NotationMode written = 0;
    for (const Chord& chord : score.allChords) {
        if (!IsSign(chord)) {
            const auto& names = RegionAt(regions, chord.textStart).names;
            written |= SpellingOf(names[MovedPitchClass(chord.rootPitch, shift)]);
            if (!chord.bassName.empty()) {
                written |= SpellingOf(names[MovedPitchClass(chord.bassPitch, shift)]);
            }
        }
    }
    for (std::size_t i = 0; i < score.keyMarks.size(); ++i) {
        const KeyRegion& region = regions[i];
        written |= SpellingOf(region.names[region.key.tonic]);
    }
    for (KeyRegion& region : regions) {
        if (LeavesALoneB(written, resolved, setting)) {
            MakeLoneBReadable(region.names, resolved);
        }
        if (score.firstGermanChord != nullptr) {
            WriteGermanNames(region.names);
        }
    }

    std::vector<Rewrite> rewrites;
    for (const Chord& chord : score.allChords) {
        if (!IsSign(chord)) {
            rewrites.push_back({chord.textStart, chord.textEnd,
                                TransposedSymbol(chord, shift, RegionAt(regions, chord.textStart).names)});
        }
    }
    for (std::size_t i = 0; i < score.keyMarks.size(); ++i) {
        const KeyMark& mark = score.keyMarks[i];
        std::string tonic = regions[i].names[regions[i].key.tonic];
        const std::optional<WrittenNoteName> writtenNote = ReadWrittenNoteName(mark.written, true);
        if (writtenNote && writtenNote->german) {
            tonic = GermanForm(tonic);
        }
        if (writtenNote && writtenNote->lowercase) {
            tonic[0] = static_cast<char>(tonic[0] - 'A' + 'a');
        }
        rewrites.push_back({mark.noteStart, mark.noteStart + static_cast<std::int32_t>(mark.written.size()),
                            std::move(tonic)});
    }
    ApplyRewrites(text, rewrites);
}

void WriteGermanNames(std::array<std::string, kPitchClassCount>& names) {
    for (std::string& name : names) {
        name = GermanForm(name);
    }
}

void KeepNotationReadable(std::array<std::string, kPitchClassCount>& names, const RecordList<Chord>& chords,
                          int shift, NotationMode resolved, NotationMode setting) {
    if (LeavesALoneB(SpellingsWritten(chords, shift, names), resolved, setting)) {
        MakeLoneBReadable(names, resolved);
    }
}

}  // namespace kaz
