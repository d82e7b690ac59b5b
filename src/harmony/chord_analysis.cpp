#include "harmony/chord_analysis.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "harmony/chord_aliases.h"
#include "harmony/german_names.h"
#include "harmony/notation.h"

namespace kaz {

namespace {

constexpr int kBassKeyBase = 36;   // the bass key lies in 28 .. 39
constexpr int kVoiceKeyBase = 48;  // the chord voice is built on 40 .. 51

// Suffixes the general reader cannot spell, matched whole, in this order. It reads "m+7" to the same voice,
// and none of the others at all.
constexpr FixedSuffix kFixedSuffixes[] = {
    {"-", {0, 10, 15, 19}},        {"mmaj7", {0, 11, 15, 19}},     {"m+7", {0, 11, 15, 19}},
    {"dim", {0, 9, 15, 18}},       {"dim7", {0, 9, 15, 18}},       {"o", {0, 9, 15, 18}},
    {"0", {0, 9, 15, 18}},         {"sus4", {0, 12, 17, 19}},      {"sus2", {0, 12, 14, 19}},
    {"sus2sus4", {0, 12, 14, 17}}, {"sus4sus2", {0, 12, 14, 17}},  {"7sus4", {0, 10, 17, 19}},
    {"7sus2", {0, 10, 14, 19}},    {"7sus2sus4", {0, 10, 14, 17}}, {"7sus4sus2", {0, 10, 14, 17}},
    {"+", {0, 12, 16, 20}},        {"aug", {0, 12, 16, 20}},       {"5", {0, 7, 12, 19}},
};

}  // namespace

std::span<const FixedSuffix> FixedSuffixes() {
    return kFixedSuffixes;
}

namespace {

template <typename Offset>
void SetVoice(Chord& chord, std::span<const Offset> offsets) {
    const int rootKey = chord.rootPitch + kVoiceKeyBase;
    // notes[0] is the bass: a voice has room for the rest
    const std::size_t count = std::min(offsets.size(), std::size(chord.notes) - 1);
    for (std::size_t slot = 0; slot < count; ++slot) {
        chord.notes[slot + 1] = static_cast<std::int8_t>(rootKey + offsets[slot]);
    }
    chord.noteCount = static_cast<std::int8_t>(count + 1);
}

// A defined voice: each value above the root key, in 8-bit arithmetic that wraps; keys below 0 are dropped.
void ApplyDefinition(Chord& chord, const ChordDefinition& definition) {
    const auto rootKey = static_cast<std::uint32_t>(chord.rootPitch + kVoiceKeyBase);
    for (std::int32_t i = 0; i < definition.count; ++i) {
        const auto key = static_cast<std::int8_t>(static_cast<std::uint32_t>(definition.values[i]) + rootKey);
        if (key >= 0) {
            chord.notes[chord.noteCount++] = key;
        }
    }
}

const ChordDefinition* FindDefinition(const ChordDefinitions& definitions, const Chord& chord) {
    if (definitions.empty()) {
        return nullptr;
    }
    const ChordDefinition* definition = definitions.Find(chord.text());
    return definition != nullptr ? definition : definitions.Find(chord.suffix());
}

const VoiceOffsets* FindFixedSuffix(std::string_view suffix) {
    for (const FixedSuffix& fixed : FixedSuffixes()) {
        if (fixed.suffix == suffix) {
            return &fixed.offsets;
        }
    }
    return nullptr;
}

// "/" and "=" play the last chord again; before any chord they are a rest.
void CopyLastChord(Chord& chord, const Chord* last) {
    if (last == nullptr) {
        chord.noteCount = 0;
        return;
    }
    chord.noteCount = last->noteCount;
    std::copy(std::begin(last->notes), std::end(last->notes), std::begin(chord.notes));
    chord.rootName = last->rootName;
    chord.bassName = last->bassName;
    chord.rootPitch = last->rootPitch;
    chord.bassPitch = last->bassPitch;
}

// Where the '/' of a symbol's bass stands, at or after from; npos without a bass. The '/' of a bass is
// followed by its letter, the one of "6/9" by a digit.
std::size_t BassSlash(std::string_view text, std::size_t from) {
    std::size_t slash = text.find('/', from);
    while (slash != std::string_view::npos && slash + 1 < text.size() && text[slash + 1] >= '0' &&
           text[slash + 1] <= '9') {
        slash = text.find('/', slash + 1);
    }
    return slash;
}

// The length of the English note name at the front of text: its letter and a sharp or flat.
std::size_t EnglishNameLength(std::string_view text) {
    return text.size() > 1 && (text[1] == '#' || text[1] == 'b') ? 2 : 1;
}

// Root name, suffix and bass name of a symbol that starts with a note letter. False when its bass is not an
// English note name ("D/Fis", "D/Es").
bool SplitSymbol(Chord& chord, std::string_view text) {
    const std::size_t rootLength = EnglishNameLength(text);
    chord.rootName = NoteName(text.substr(0, rootLength));
    const std::size_t slash = BassSlash(text, rootLength);
    chord.SetSuffix(rootLength, std::min(slash, text.size()) - rootLength);
    if (slash == std::string_view::npos) {
        chord.bassName = NoteName();
        return true;
    }
    const std::string_view bass = text.substr(slash + 1);
    chord.bassName = NoteName(bass);
    return !bass.empty() && bass.size() == EnglishNameLength(bass);
}

// The B spellings the chord's root and bass names record.
NotationMode NameSpelling(const Chord& chord) {
    return SpellingOf(chord.rootName) | SpellingOf(chord.bassName);
}

// Skips prefix at the front of rest when it is there.
bool Take(std::string_view& rest, std::string_view prefix) {
    if (!rest.starts_with(prefix)) {
        return false;
    }
    rest.remove_prefix(prefix.size());
    return true;
}

}  // namespace

bool ReadBuiltInSuffix(std::string_view rest, VoiceOffsets& voice) {
    int seventh = 12;
    int third = 16;
    int fifth = 19;
    bool majorSeventh = false;
    // A ninth, eleventh or thirteenth implies the seventh, which stays major once "maj" has made it so.
    const auto impliedSeventh = [&] {
        if (!majorSeventh) {
            seventh = 10;
        }
    };

    if (Take(rest, "maj")) {
        seventh = 11;
        majorSeventh = true;
    } else if (Take(rest, "m")) {
        third = 15;
    }

    if (Take(rest, "7")) {
        impliedSeventh();
    } else if (Take(rest, "6")) {
        if (Take(rest, "add9")) {
            seventh = 14;
            fifth = 21;
        } else {
            seventh = 9;
        }
    } else if (Take(rest, "9")) {
        impliedSeventh();
        third = 14;
    } else if (Take(rest, "11")) {
        impliedSeventh();
        third = 17;
    } else if (Take(rest, "13")) {
        impliedSeventh();
        fifth = 21;
    }

    while (!rest.empty()) {
        if (Take(rest, "+5")) {
            fifth = 20;
        } else if (Take(rest, "-5")) {
            fifth = 18;
        } else if (Take(rest, "-7")) {
            if (majorSeventh) {
                return false;
            }
            seventh = 9;
        } else if (Take(rest, "+7")) {
            if (majorSeventh) {
                return false;
            }
            seventh = 11;
            majorSeventh = true;
        } else if (Take(rest, "+9")) {
            impliedSeventh();
            third = 15;
        } else if (Take(rest, "-9")) {
            impliedSeventh();
            third = 13;
        } else if (Take(rest, "+11")) {
            impliedSeventh();
            third = 18;
        } else if (Take(rest, "-13")) {
            impliedSeventh();
            fifth = 20;
        } else {
            return false;
        }
    }
    voice = {0, seventh, third, fifth};
    return true;
}

bool ParseChordSuffix(Chord& chord) {
    VoiceOffsets voice{};
    if (!ReadBuiltInSuffix(chord.suffix(), voice)) {
        return false;
    }
    SetVoice(chord, std::span<const int>(voice));
    return true;
}

namespace {

// An everyday spelling: its alias when the table has one, otherwise the voice the built-in readers give its
// written form ("Cmi7" plays Cm7).
bool ReadEverydaySuffix(Chord& chord) {
    const std::optional<std::string> written = WrittenForm(chord.suffix());
    if (!written) {
        return false;
    }
    if (const ChordAlias* alias = FindChordAlias(*written)) {
        SetVoice(chord, alias->Voice());
        return true;
    }
    VoiceOffsets voice{};
    if (ReadBuiltInSuffix(*written, voice)) {
        SetVoice(chord, std::span<const int>(voice));
        return true;
    }
    if (const VoiceOffsets* fixed = FindFixedSuffix(*written)) {
        SetVoice(chord, std::span<const int>(*fixed));
        return true;
    }
    return false;
}

}  // namespace

namespace {

// The B spellings of the chord's names are recorded before anything else is read, so that a chart using all
// three fails at the chord that completes them, whatever its suffix.
bool RecordSpelling(const Chord& chord, ScoreTree& score) {
    score.bLettersSeen |= NameSpelling(chord);
    return score.bLettersSeen != (kSpelledB | kSpelledBb | kSpelledH);
}

// Pitches, bass key and voice of a chord whose names and suffix are set.
ChordAnalysis ReadVoice(Chord& chord, ScoreTree& score, const ChordDefinitions& definitions) {
    chord.rootPitch = static_cast<std::int8_t>(ReadPitchClass(chord.rootName));
    chord.bassPitch =
        chord.bassName.empty() ? chord.rootPitch : static_cast<std::int8_t>(ReadPitchClass(chord.bassName));
    chord.noteCount = 1;
    chord.notes[0] = static_cast<std::int8_t>(chord.bassPitch + kBassKeyBase);

    // The general reader goes before the fixed suffixes, which it cannot read (see kFixedSuffixes): the voice
    // is the same, and the common chords skip the search through the table.
    if (const ChordDefinition* definition = FindDefinition(definitions, chord)) {
        ApplyDefinition(chord, *definition);
    } else if (!ParseChordSuffix(chord)) {
        // Everyday spellings only where the built-in readers find nothing, so every chord they read keeps
        // its voice.
        if (const VoiceOffsets* offsets = FindFixedSuffix(chord.suffix())) {
            SetVoice(chord, std::span<const int>(*offsets));
        } else if (!ReadEverydaySuffix(chord)) {
            return ChordAnalysis::Unknown;
        }
    }
    score.lastChord = &chord;
    return ChordAnalysis::Ok;
}

// A symbol read with English note names, as the language always has.
ChordAnalysis AnalyzeEnglish(Chord& chord, ScoreTree& score, const ChordDefinitions& definitions) {
    const std::string_view text = chord.text();
    if (!SplitSymbol(chord, text) || (!chord.bassName.empty() && !IsNoteLetter(chord.bassName.data()[0]))) {
        return ChordAnalysis::Unknown;
    }
    if (!RecordSpelling(chord, score)) {
        return ChordAnalysis::Ambiguous;
    }
    return ReadVoice(chord, score, definitions);
}

// A symbol written the German way, where the English reading finds no chord: a German note name as its root
// or bass ("Fis7", "Esmaj7", "D/Fis"), or a lowercase root for a minor chord ("d", "fis7", "h7" is Hm7). Such
// a chord keeps the English names of its notes and, lowercase, the minor suffix it plays ("d7" has "m7").
ChordAnalysis AnalyzeGerman(Chord& chord, std::string_view text, ScoreTree& score,
                            const ChordDefinitions& definitions) {
    const std::optional<WrittenNoteName> root = ReadWrittenNoteName(text, true);
    if (!root) {
        return ChordAnalysis::Unknown;
    }
    const std::size_t slash = BassSlash(text, root->length);
    const std::size_t suffixEnd = std::min(slash, text.size());
    std::optional<WrittenNoteName> bass;
    if (slash != std::string_view::npos) {
        bass = ReadWrittenNoteName(text.substr(slash + 1), false);
        if (!bass || bass->length != text.size() - slash - 1) {
            return ChordAnalysis::Unknown;
        }
    }
    if (!root->german && !root->lowercase && !(bass && bass->german)) {
        return ChordAnalysis::Unknown;
    }
    const std::string_view suffix = text.substr(root->length, suffixEnd - root->length);
    if (root->lowercase) {
        // The suffix a lowercase chord plays, "m" and the suffix as written, is kept after the symbol.
        if (text.size() > std::numeric_limits<std::uint8_t>::max()) {
            return ChordAnalysis::Unknown;
        }
        chord.SetText(score.chordTexts.Keep(text, "m" + std::string(suffix)), text.size());
        chord.SetSuffix(text.size(), suffix.size() + 1);
    } else {
        chord.SetSuffix(root->length, suffix.size());
    }
    chord.rootName = NoteName(root->english);
    chord.bassName = bass ? NoteName(bass->english) : NoteName();
    if (!RecordSpelling(chord, score)) {
        return ChordAnalysis::Ambiguous;
    }
    const ChordAnalysis result = ReadVoice(chord, score, definitions);
    if (result == ChordAnalysis::Ok && score.firstGermanChord == nullptr) {
        score.firstGermanChord = &chord;
    }
    return result;
}

}  // namespace

std::string_view WrittenSuffix(const Chord& chord) {
    if (!IsWrittenLowercase(chord)) {
        return chord.suffix();
    }
    const std::string_view text = chord.text();
    const std::optional<WrittenNoteName> root = ReadWrittenNoteName(text, true);
    const std::size_t rootLength = root ? root->length : 0;
    return text.substr(rootLength, std::min(BassSlash(text, rootLength), text.size()) - rootLength);
}

ChordAnalysis AnalyzeChord(Chord& chord, std::string_view text, ScoreTree& score,
                           const ChordDefinitions& definitions) {
    if (text.empty()) {
        chord.SetText({});
        return ChordAnalysis::Unknown;
    }
    if (text[0] == '-' || IsNoChord(text)) {
        chord.SetText(score.chordTexts.Keep(text));
        chord.noteCount = 0;
        return ChordAnalysis::Ok;
    }
    if (text[0] == '/' || text[0] == '=') {
        // The sign keeps the suffix of the chord it plays again just after itself.
        const std::string_view lastSuffix = score.lastChord != nullptr ? score.lastChord->suffix() : "";
        chord.SetText(score.chordTexts.Keep(text, lastSuffix), text.size());
        chord.SetSuffix(text.size(), lastSuffix.size());
        CopyLastChord(chord, score.lastChord);
        return ChordAnalysis::Ok;
    }

    chord.SetText(score.chordTexts.Keep(text));
    if (IsNoteLetter(text[0])) {
        const ChordAnalysis english = AnalyzeEnglish(chord, score, definitions);
        if (english != ChordAnalysis::Unknown) {
            return english;
        }
    }
    return AnalyzeGerman(chord, chord.text(), score, definitions);
}

ChordAnalysis AnalyzeChord(Chord& chord, std::string_view text, ScoreTree& score,
                           const ChordDefinitions& definitions, AnalysedSymbols& symbols) {
    // A definition may come between two chords of the same symbol and change the second one's voice.
    const AnalysedSymbols::Known* known = definitions.empty() ? symbols.Find(text) : nullptr;
    if (known == nullptr) {
        const ChordAnalysis result = AnalyzeChord(chord, text, score, definitions);
        // Signs and rests depend on the chords before them, not only on their symbol.
        if (result == ChordAnalysis::Ok && IsNoteLetter(text[0])) {
            symbols.Remember(chord, NameSpelling(chord));
        }
        return result;
    }
    const std::int32_t textStart = chord.textStart;
    const std::int32_t textEnd = chord.textEnd;
    chord = *known->chord;
    chord.textStart = textStart;
    chord.textEnd = textEnd;
    score.bLettersSeen |= known->spelling;
    if (score.bLettersSeen == (kSpelledB | kSpelledBb | kSpelledH)) {
        return ChordAnalysis::Ambiguous;
    }
    score.lastChord = &chord;
    return ChordAnalysis::Ok;
}

}  // namespace kaz
