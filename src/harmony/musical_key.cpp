#include "harmony/musical_key.h"

#include <array>
#include <bitset>
#include <optional>
#include <vector>

#include "harmony/transposition.h"

namespace kaz {

namespace {

enum class Triad : std::uint8_t { Major, Minor, Diminished, Augmented, Open };

//! What a chord tells of the key: its root and the triad its voice spells.
struct HeardChord {
    int root = 0;
    Triad triad = Triad::Open;
    bool dominant = false;  //!< a major triad with a minor seventh
};

constexpr int kMinorThird = 3;
constexpr int kMajorThird = 4;
constexpr int kDiminishedFifth = 6;
constexpr int kPerfectFifth = 7;
constexpr int kAugmentedFifth = 8;
constexpr int kMinorSeventh = 10;
constexpr int kDominantDegree = 7;

// What a chord earns a key: its root off the scale, on it, on it in the scale's own triad.
constexpr int kOffTheScale = -1;
constexpr int kOnTheScale = 1;
constexpr int kInItsTriad = 2;
constexpr int kDominantLeadingHome = 1;
constexpr int kOpensOnTheTonic = 3;
constexpr int kEndsOnTheTonic = 4;
constexpr int kTonicNeverHeard = -4;

bool IsSign(const Chord& chord) {
    const std::string_view text = chord.text();
    return text.empty() || text.front() == '/' || text.front() == '-' || text.front() == '=';
}

std::optional<HeardChord> Hear(const Chord& chord) {
    if (IsSign(chord) || chord.noteCount < 2) {
        return std::nullopt;
    }
    HeardChord heard{MovedPitchClass(chord.rootPitch, 0)};
    std::bitset<kPitchClassCount> tones;
    for (int i = 1; i < chord.noteCount; ++i) {
        tones.set(static_cast<std::size_t>(MovedPitchClass(chord.notes[i] - heard.root, 0)));
    }
    if (tones[kMajorThird]) {
        // A sharp ninth sounds beside the major third without making the chord minor.
        heard.triad = tones[kAugmentedFifth] && !tones[kPerfectFifth] ? Triad::Augmented : Triad::Major;
        heard.dominant = tones[kMinorSeventh];
    } else if (tones[kMinorThird]) {
        heard.triad = tones[kDiminishedFifth] && !tones[kPerfectFifth] ? Triad::Diminished : Triad::Minor;
    }
    return heard;
}

//! The triads the scale of a key builds on each degree; Open where the degree is off the scale. A minor key
//! takes its major dominant and its leading-note diminished triad from the harmonic minor.
struct DegreeTriads {
    std::array<Triad, kPitchClassCount> first;
    std::array<Triad, kPitchClassCount> second;  //!< another triad the degree takes, or Open
};

constexpr Triad M = Triad::Major, m = Triad::Minor, d = Triad::Diminished, A = Triad::Augmented,
                o = Triad::Open;
constexpr DegreeTriads kMajorScale{{M, o, m, o, m, M, o, M, o, m, o, d},
                                   {o, o, o, o, o, o, o, o, o, o, o, o}};
constexpr DegreeTriads kMinorScale{{m, o, d, M, o, m, o, M, M, o, M, d},
                                   {o, o, o, A, o, o, o, m, o, o, o, o}};

bool OnTheScale(int degree, const DegreeTriads& scale) {
    return scale.first[static_cast<std::size_t>(degree)] != Triad::Open;
}

int Fit(const HeardChord& chord, const MusicalKey& key) {
    const int degree = MovedPitchClass(chord.root - key.tonic, 0);
    const DegreeTriads& scale = key.minor ? kMinorScale : kMajorScale;
    if (!OnTheScale(degree, scale)) {
        return kOffTheScale;
    }
    const auto at = static_cast<std::size_t>(degree);
    const bool ownTriad =
        chord.triad == Triad::Open || chord.triad == scale.first[at] || chord.triad == scale.second[at];
    return ownTriad ? kInItsTriad : kOnTheScale;
}

bool IsTonicChord(const HeardChord& chord, const MusicalKey& key) {
    return chord.root == key.tonic && chord.triad == (key.minor ? Triad::Minor : Triad::Major);
}

int Score(const std::vector<HeardChord>& chords, const MusicalKey& key) {
    int score = 0;
    bool tonicHeard = false;
    for (std::size_t i = 0; i < chords.size(); ++i) {
        score += Fit(chords[i], key);
        tonicHeard = tonicHeard || IsTonicChord(chords[i], key);
        const bool leadsHome = i + 1 < chords.size() && chords[i + 1].root == key.tonic;
        if (chords[i].dominant && leadsHome &&
            MovedPitchClass(chords[i].root - key.tonic, 0) == kDominantDegree) {
            score += kDominantLeadingHome;
        }
    }
    // A key whose home chord never sounds is a neighbour's key, however many chords the two share.
    if (!tonicHeard) {
        score += kTonicNeverHeard;
    }
    const HeardChord& first = chords.front();
    const HeardChord& last = chords.back();
    if (IsTonicChord(first, key)) {
        score += kOpensOnTheTonic;
    }
    // A dominant seventh at the end is a turnaround back to the top, unless the song also opens on it, as a
    // blues does.
    if (IsTonicChord(last, key) && (!last.dominant || first.root == last.root)) {
        score += kEndsOnTheTonic;
    }
    return score;
}

//! The key as the last chord names it: where a song most often ends.
MusicalKey KeyOfLastChord(const HeardChord& last) {
    return {last.root, last.triad == Triad::Minor || last.triad == Triad::Diminished};
}

constexpr int kMinorToRelativeMajor = 3;

//! The major keys whose signature has flats, by tonic: F, B♭, E♭, A♭, D♭, G♭; the others but C have sharps.
constexpr std::array<bool, kPitchClassCount> kFlatMajorKey{false, true,  false, true,  false, true,
                                                           true,  false, true,  false, true,  false};

//! The words after a key's note, before or without a blank or a dash; true for minor.
struct KeyWord {
    std::string_view word;
    bool minor;
};
constexpr KeyWord kKeyWords[] = {
    {"m", true},    {"min", true},    {"minor", true},  {"Minor", true}, {"moll", true}, {"Moll", true},
    {"maj", false}, {"major", false}, {"Major", false}, {"dur", false},  {"Dur", false},
};

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::array<std::string, 12> KeySpellings(MusicalKey key, NotationMode resolved) {
    const int major = key.minor ? MovedPitchClass(key.tonic, kMinorToRelativeMajor) : key.tonic;
    const bool flats = key.accidentals == KeyAccidentals::OfSignature
                           ? kFlatMajorKey[major]
                           : key.accidentals == KeyAccidentals::Flats;
    NoteNameTables tables;
    tables.FollowNotation(resolved);
    // A flat key writes every black key flat, a sharp key sharp; C major keeps the usual choice.
    const bool natural = major == 0 && key.accidentals == KeyAccidentals::OfSignature;
    for (int pitch = 0; pitch < kPitchClassCount; ++pitch) {
        if (!natural && !tables.flatNames[pitch].empty()) {
            tables.spellingChoice[pitch] = flats ? Spelling::Flat : Spelling::Sharp;
        }
    }
    // A minor key's leading note is its raised seventh.
    const int leadingNote = MovedPitchClass(key.tonic, kPitchClassCount - 1);
    if (key.minor && !tables.flatNames[leadingNote].empty()) {
        tables.spellingChoice[leadingNote] = Spelling::Sharp;
    }
    std::array<std::string, 12> names;
    for (int pitch = 0; pitch < kPitchClassCount; ++pitch) {
        names[pitch] = tables.ChosenName(pitch);
    }
    return names;
}

std::optional<WrittenKey> ReadWrittenKey(std::string_view text) {
    text = Trimmed(text);
    std::optional<WrittenNoteName> note = ReadWrittenNoteName(text, true);
    if (!note) {
        return std::nullopt;
    }
    WrittenKey key{*note, note->lowercase};
    std::string_view word = text.substr(key.note.length);
    const bool separated = word.starts_with('-') || word.starts_with(' ') || word.starts_with('\t');
    word = Trimmed(separated && word.starts_with('-') ? word.substr(1) : word);
    if (word.empty()) {
        return separated ? std::nullopt : std::optional(std::move(key));
    }
    for (const KeyWord& known : kKeyWords) {
        if (word == known.word) {
            key.minor = known.minor;
            return key;
        }
    }
    return std::nullopt;
}

MusicalKey MovedKey(MusicalKey key, int shift) {
    if (MovedPitchClass(shift, 0) == 0) {
        return key;
    }
    return {MovedPitchClass(key.tonic, shift), key.minor};
}

MusicalKey KeyOfMark(const KeyMark& mark, NotationMode resolved) {
    int tonic = ReadPitchClass(mark.tonicName);
    if (resolved == kGermanNotation && mark.tonicName == "B") {
        --tonic;
    }
    const std::string_view name = mark.tonicName;
    const KeyAccidentals accidentals = name.ends_with('#')   ? KeyAccidentals::Sharps
                                       : name.ends_with('b') ? KeyAccidentals::Flats
                                                             : KeyAccidentals::OfSignature;
    return {MovedPitchClass(tonic, 0), mark.minor, accidentals};
}

MusicalKey KeyOfScore(const ScoreTree& score) {
    if (!score.keyMarks.empty()) {
        return KeyOfMark(score.keyMarks.front(), score.bLettersSeen);
    }
    return KeyOfChart(score.allChords);
}

MusicalKey KeyOfChart(const RecordList<Chord>& chords) {
    std::vector<HeardChord> heard;
    heard.reserve(chords.size());
    for (std::size_t i = 0; i < chords.size(); ++i) {
        if (const std::optional<HeardChord> chord = Hear(chords[i])) {
            heard.push_back(*chord);
        }
    }
    if (heard.empty()) {
        return {};
    }
    MusicalKey best = KeyOfLastChord(heard.back());
    int bestScore = Score(heard, best);
    // Round the circle of fifths from C, major keys first, so that a tie goes to the plainer key.
    for (const bool minor : {false, true}) {
        for (int step = 0; step < kPitchClassCount; ++step) {
            const int fromC = (step % 2 == 0 ? 1 : -1) * ((step + 1) / 2);
            const MusicalKey key{MovedPitchClass(fromC * kDominantDegree + (minor ? 9 : 0), 0), minor};
            const int score = Score(heard, key);
            if (score > bestScore) {
                best = key;
                bestScore = score;
            }
        }
    }
    return best;
}

}  // namespace kaz
