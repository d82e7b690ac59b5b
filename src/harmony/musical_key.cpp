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

}  // namespace

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
