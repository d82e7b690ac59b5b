#include "chart/chord_diagram.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "harmony/chord_analysis.h"
#include "harmony/transposition.h"

namespace kaz {

namespace {

constexpr int kMinorSecond = 1;
constexpr int kMajorSecond = 2;
constexpr int kMinorThird = 3;
constexpr int kMajorThird = 4;
constexpr int kFourth = 5;
constexpr int kTritone = 6;
constexpr int kFifth = 7;
constexpr int kMinorSixth = 8;
constexpr int kMajorSixth = 9;
constexpr int kMinorSeventh = 10;
constexpr int kMajorSeventh = 11;
constexpr int kOctave = 12;

//! A hand stops strings within this many frets, first to last.
constexpr int kFretsUnderTheHand = 4;
constexpr int kFingers = 4;

constexpr std::array kGuitarStrings{40, 45, 50, 55, 59, 64};
constexpr std::array kUkuleleStrings{67, 60, 64, 69};
constexpr FrettedInstrument kGuitar{"guitar", kGuitarStrings, 15, true, 4};
constexpr FrettedInstrument kUkulele{"ukulele", kUkuleleStrings, 12, false, 4};

int PitchClassOf(int key) {
    return MovedPitchClass(key, 0);
}

bool HasSeventh(const DiagramTones& tones) {
    return tones.Has(kMinorSeventh) || tones.Has(kMajorSeventh);
}

bool HasThird(const DiagramTones& tones) {
    return tones.Has(kMinorThird) || tones.Has(kMajorThird);
}

//! How much a tone tells of the chord: 0 the root, then the third (or the suspension), the seventh or
//! sixth, the alterations, the plain extensions; the perfect fifth tells least.
int Telling(const DiagramTones& tones, int interval) {
    const bool third = HasThird(tones);
    const bool seventh = HasSeventh(tones);
    switch (interval) {
        case 0:
            return 0;
        case kMinorThird:
            return tones.Has(kMajorThird) ? 3 : 1;  // beside the major third it is the sharp ninth
        case kMajorThird:
            return 1;
        case kMajorSecond:
            return !third ? 1 : (seventh || tones.Has(kMajorSixth)) ? 4 : 2;
        case kFourth:
            return !third ? 1 : 4;
        case kMinorSeventh:
        case kMajorSeventh:
            return 2;
        case kMajorSixth:
            return seventh ? 3 : 2;
        case kTritone:
        case kMinorSixth:
            return tones.Has(kFifth) || seventh ? 3 : 2;
        case kFifth:
            return tones.intervals == ((1U << 0) | (1U << kFifth)) ? 1 : 5;
        default:
            return 3;
    }
}

//! The intervals a shape must sound: the most telling tones of the chord, at most most of them.
std::uint16_t NeededIntervals(const DiagramTones& tones, std::size_t most) {
    std::vector<std::pair<int, int>> ranked;
    for (int interval = 0; interval < kOctave; ++interval) {
        if (tones.Has(interval)) {
            ranked.emplace_back(Telling(tones, interval), interval);
        }
    }
    std::stable_sort(ranked.begin(), ranked.end());
    std::uint16_t needed = 0;
    for (std::size_t i = 0; i < ranked.size() && i < most; ++i) {
        if (ranked[i].first < 5) {
            needed = static_cast<std::uint16_t>(needed | (1U << ranked[i].second));
        }
    }
    return needed;
}

//! How strictly a search holds to the chord: the first finds what players play, the later ones make do.
struct SearchRules {
    std::size_t neededTones = 4;
    int fewestStrings = 4;
    int innerMutes = 1;  //!< strings left out between played ones
    bool bassLowest = true;
};

struct Candidate {
    FrettedShape shape;
    int cost = 0;
};

//! Set the barre a shape needs: the first finger across the lowest fret stopped when the fingers would not
//! do otherwise.
void PlaceBarre(FrettedShape& shape) {
    shape.barreFret = 0;
    const int lowest = shape.LowestFret();
    if (lowest == 0) {
        return;
    }
    int stopped = 0;
    for (const std::int8_t fret : shape.frets) {
        stopped += fret > 0 ? 1 : 0;
    }
    if (stopped <= kFingers) {
        return;
    }
    int from = -1;
    int to = -1;
    for (int i = 0; i < static_cast<int>(shape.frets.size()); ++i) {
        if (shape.frets[static_cast<std::size_t>(i)] == lowest) {
            from = from < 0 ? i : from;
            to = i;
        }
    }
    // Every string under the barre is stopped at it or above; an open or silent one would be stopped too.
    for (int i = from; i <= to; ++i) {
        if (shape.frets[static_cast<std::size_t>(i)] < lowest) {
            return;
        }
    }
    if (from < to) {
        shape.barreFret = lowest;
        shape.barreFrom = from;
        shape.barreTo = to;
    }
}

//! What a shape sounds: the pitch classes of its strings, which string sounds first and how many do.
struct Sounding {
    std::uint16_t classes = 0;  //!< bit p: pitch class p sounds
    std::uint16_t upper = 0;    //!< the same without the string that sounds lowest
    int lowestString = -1;
    int lowestKey = 1000;
    int lowestClass = -1;
    int strings = 0;
    int innerMutes = 0;
    int outerMutes = 0;  //!< left out above the last string played
    int open = 0;
};

Sounding Hear(const FrettedShape& shape, const FrettedInstrument& instrument) {
    Sounding heard;
    int lastPlayed = -1;
    for (int i = 0; i < static_cast<int>(shape.frets.size()); ++i) {
        const int fret = shape.frets[static_cast<std::size_t>(i)];
        if (fret == FrettedShape::kMuted) {
            continue;
        }
        const int key = instrument.strings[static_cast<std::size_t>(i)] + fret;
        heard.classes = static_cast<std::uint16_t>(heard.classes | (1U << PitchClassOf(key)));
        if (heard.lowestString < 0) {
            heard.lowestString = i;
        } else {
            heard.innerMutes += i - lastPlayed - 1;
        }
        if (key < heard.lowestKey) {
            if (heard.lowestClass >= 0) {
                heard.upper = static_cast<std::uint16_t>(heard.upper | (1U << heard.lowestClass));
            }
            heard.lowestKey = key;
            heard.lowestClass = PitchClassOf(key);
        } else {
            heard.upper = static_cast<std::uint16_t>(heard.upper | (1U << PitchClassOf(key)));
        }
        lastPlayed = i;
        ++heard.strings;
        heard.open += fret == 0 ? 1 : 0;
    }
    heard.outerMutes = static_cast<int>(shape.frets.size()) - 1 - lastPlayed;
    return heard;
}

std::uint16_t AbsoluteClasses(const DiagramTones& tones, std::uint16_t intervals) {
    std::uint16_t classes = 0;
    for (int interval = 0; interval < kOctave; ++interval) {
        if (((intervals >> interval) & 1U) != 0) {
            classes = static_cast<std::uint16_t>(classes | (1U << MovedPitchClass(tones.root, interval)));
        }
    }
    return classes;
}

bool Fits(const FrettedShape& shape, const DiagramTones& tones, const FrettedInstrument& instrument,
          const SearchRules& rules) {
    if (shape.frets.size() != instrument.strings.size() || !Playable(shape)) {
        return false;
    }
    const Sounding heard = Hear(shape, instrument);
    const std::uint16_t allowed =
        static_cast<std::uint16_t>(AbsoluteClasses(tones, tones.intervals) | (1U << tones.bass));
    const std::uint16_t needed = static_cast<std::uint16_t>(
        AbsoluteClasses(tones, NeededIntervals(tones, rules.neededTones)) | (1U << tones.bass));
    if (heard.strings < rules.fewestStrings || heard.innerMutes > rules.innerMutes ||
        (heard.classes & ~allowed) != 0 || (heard.classes & needed) != needed) {
        return false;
    }
    if (!rules.bassLowest) {
        return true;
    }
    if (instrument.bassOnFirstString) {
        // A slash bass that is no tone of the chord sounds below it only.
        const std::uint16_t chord = AbsoluteClasses(tones, tones.intervals);
        return heard.lowestClass == tones.bass && (heard.upper & ~chord) == 0;
    }
    // A re-entrant string may sound below the first: the bass only has to sound where it is not the root.
    return true;
}

//! The open strings with a stopped string on either side.
int InnerOpenStrings(const FrettedShape& shape) {
    int inner = 0;
    int stoppedBefore = 0;
    int openSince = 0;
    for (const std::int8_t fret : shape.frets) {
        if (fret > 0) {
            inner += stoppedBefore > 0 ? openSince : 0;
            openSince = 0;
            ++stoppedBefore;
        } else if (fret == 0) {
            ++openSince;
        }
    }
    return inner;
}

//! Lower is better: low on the neck, many strings, few fingers, no gaps, no barre where none is needed.
int CostOf(const FrettedShape& shape, const DiagramTones& tones, const FrettedInstrument& instrument) {
    const Sounding heard = Hear(shape, instrument);
    const int lowest = shape.LowestFret();
    int cost = 2 * lowest - 3 * heard.strings + shape.Fingers();
    cost += 5 * heard.innerMutes + 2 * heard.outerMutes;
    cost += shape.barreFret > 0 ? 2 : 0;
    // Open strings ring in the first position; high up they sound where the hand is not, and one inside a
    // hand stretched to the third fret or above is a shape players seldom reach for.
    cost += lowest > 3 ? 3 * heard.open : -heard.open;
    cost += shape.HighestFret() >= 3 ? 6 * InnerOpenStrings(shape) : 0;
    if (tones.Has(kFifth) && (heard.classes & (1U << MovedPitchClass(tones.root, kFifth))) != 0) {
        cost -= 2;
    }
    return cost;
}

void Search(const DiagramTones& tones, const FrettedInstrument& instrument, const SearchRules& rules,
            std::vector<Candidate>& found) {
    const std::uint16_t allowed =
        static_cast<std::uint16_t>(AbsoluteClasses(tones, tones.intervals) | (1U << tones.bass));
    const std::size_t strings = instrument.strings.size();
    FrettedShape shape;
    shape.frets.assign(strings, FrettedShape::kMuted);
    for (int window = 1; window + kFretsUnderTheHand - 1 <= instrument.highestFret; ++window) {
        // Each string: silent, open, or stopped within the window on a tone of the chord.
        std::vector<std::vector<std::int8_t>> choices(strings);
        for (std::size_t s = 0; s < strings; ++s) {
            choices[s].push_back(FrettedShape::kMuted);
            for (int fret = 0; fret < window + kFretsUnderTheHand; fret = fret == 0 ? window : fret + 1) {
                if (((allowed >> PitchClassOf(instrument.strings[s] + fret)) & 1U) != 0) {
                    choices[s].push_back(static_cast<std::int8_t>(fret));
                }
            }
        }
        std::vector<std::size_t> pick(strings, 0);
        while (true) {
            for (std::size_t s = 0; s < strings; ++s) {
                shape.frets[s] = choices[s][pick[s]];
            }
            // Only shapes that use the window's first fret: the others belong to a lower window.
            if (shape.LowestFret() == window || (window == 1 && shape.LowestFret() == 0)) {
                PlaceBarre(shape);
                if (Fits(shape, tones, instrument, rules)) {
                    found.push_back({shape, CostOf(shape, tones, instrument)});
                }
            }
            std::size_t s = 0;
            while (s < strings && ++pick[s] == choices[s].size()) {
                pick[s] = 0;
                ++s;
            }
            if (s == strings) {
                break;
            }
        }
    }
}

//! The shapes players learn first, which the rules would not all find first.
struct KnownShape {
    int root;
    std::uint16_t intervals;
    int bass;  //!< interval of the bass above the root
    std::string_view code;
};
constexpr std::uint16_t Of(std::initializer_list<int> intervals) {
    std::uint16_t mask = 0;
    for (const int interval : intervals) {
        mask = static_cast<std::uint16_t>(mask | (1U << interval));
    }
    return mask;
}
constexpr int C = 0, D = 2, E = 4, F = 5, G = 7, A = 9, B = 11;
constexpr std::uint16_t kMajor = Of({0, 4, 7});
constexpr std::uint16_t kMinor = Of({0, 3, 7});
constexpr std::uint16_t kDominant = Of({0, 4, 7, 10});
constexpr std::uint16_t kMinorSeventhChord = Of({0, 3, 7, 10});
constexpr std::uint16_t kMajorSeventhChord = Of({0, 4, 7, 11});
constexpr std::uint16_t kSus4 = Of({0, 5, 7});
constexpr std::uint16_t kSus2 = Of({0, 2, 7});
constexpr std::array kGuitarShapes{
    KnownShape{C, kMajor, 0, "x32010"},
    KnownShape{A, kMajor, 0, "x02220"},
    KnownShape{G, kMajor, 0, "320003"},
    KnownShape{E, kMajor, 0, "022100"},
    KnownShape{D, kMajor, 0, "xx0232"},
    KnownShape{F, kMajor, 0, "133211"},
    KnownShape{A, kMinor, 0, "x02210"},
    KnownShape{E, kMinor, 0, "022000"},
    KnownShape{D, kMinor, 0, "xx0231"},
    KnownShape{C, kDominant, 0, "x32310"},
    KnownShape{A, kDominant, 0, "x02020"},
    KnownShape{G, kDominant, 0, "320001"},
    KnownShape{E, kDominant, 0, "020100"},
    KnownShape{D, kDominant, 0, "xx0212"},
    KnownShape{B, kDominant, 0, "x21202"},
    KnownShape{A, kMinorSeventhChord, 0, "x02010"},
    KnownShape{E, kMinorSeventhChord, 0, "020000"},
    KnownShape{D, kMinorSeventhChord, 0, "xx0211"},
    KnownShape{C, kMajorSeventhChord, 0, "x32000"},
    KnownShape{A, kMajorSeventhChord, 0, "x02120"},
    KnownShape{D, kMajorSeventhChord, 0, "xx0222"},
    KnownShape{F, kMajorSeventhChord, 0, "xx3210"},
    KnownShape{A, kSus4, 0, "x02230"},
    KnownShape{D, kSus4, 0, "xx0233"},
    KnownShape{E, kSus4, 0, "022200"},
    KnownShape{A, kSus2, 0, "x02200"},
    KnownShape{D, kSus2, 0, "xx0230"},
    KnownShape{G, kMajor, 4, "x20003"},
    KnownShape{D, kMajor, 4, "2x0232"},
    KnownShape{C, kMajor, 4, "032010"},
    KnownShape{C, kMajor, 7, "332010"},
};
constexpr std::array kUkuleleShapes{
    KnownShape{C, kMajor, 0, "0003"},
    KnownShape{F, kMajor, 0, "2010"},
    KnownShape{G, kMajor, 0, "0232"},
    KnownShape{D, kMajor, 0, "2220"},
    KnownShape{A, kMajor, 0, "2100"},
    KnownShape{A, kMinor, 0, "2000"},
    KnownShape{E, kMinor, 0, "0432"},
    KnownShape{D, kMinor, 0, "2210"},
    KnownShape{C, kDominant, 0, "0001"},
    KnownShape{G, kDominant, 0, "0212"},
    KnownShape{A, kDominant, 0, "0100"},
    KnownShape{D, kDominant, 0, "2223"},
    KnownShape{E, kDominant, 0, "1202"},
    KnownShape{A, kMinorSeventhChord, 0, "0000"},
    KnownShape{C, kMajorSeventhChord, 0, "0002"},
};

std::optional<FrettedShape> KnownShapeOf(const DiagramTones& tones, const FrettedInstrument& instrument) {
    const std::span<const KnownShape> known = &instrument == &kGuitar
                                                  ? std::span<const KnownShape>(kGuitarShapes)
                                                  : std::span<const KnownShape>(kUkuleleShapes);
    const int bass = MovedPitchClass(tones.bass - tones.root, 0);
    for (const KnownShape& shape : known) {
        if (shape.root == tones.root && shape.intervals == tones.intervals && shape.bass == bass) {
            return ShapeFromCode(shape.code, instrument);
        }
    }
    return std::nullopt;
}

//! The third a ninth, eleventh or thirteenth chord has though its block voice, four notes, leaves it out (D9
//! plays D C E A): a minor one for a minor suffix; none for a suspended chord or any other.
std::optional<int> ThirdLeftOut(std::string_view suffix) {
    const bool extended = suffix.find('9') != std::string_view::npos ||
                          suffix.find("11") != std::string_view::npos ||
                          suffix.find("13") != std::string_view::npos;
    if (!extended || suffix.find("sus") != std::string_view::npos) {
        return std::nullopt;
    }
    const bool minor = (suffix.starts_with('m') && !suffix.starts_with("maj")) || suffix.starts_with('-');
    return minor ? kMinorThird : kMajorThird;
}

}  // namespace

DiagramTones TonesOf(const Chord& chord, int shift) {
    const std::string_view text = chord.text();
    if (text.empty() || text.front() == '-' || text.front() == '/' || text.front() == '=' ||
        chord.noteCount < 2) {
        return {};
    }
    DiagramTones tones;
    tones.root = static_cast<std::int8_t>(MovedPitchClass(chord.rootPitch, shift));
    tones.bass = static_cast<std::int8_t>(MovedPitchClass(chord.bassPitch, shift));
    tones.intervals = 1;
    const int root = MovedPitchClass(chord.rootPitch, 0);
    for (int i = 1; i < chord.noteCount; ++i) {
        tones.intervals =
            static_cast<std::uint16_t>(tones.intervals | (1U << MovedPitchClass(chord.notes[i] - root, 0)));
    }
    if (const std::optional<int> third = ThirdLeftOut(chord.suffix())) {
        tones.intervals = static_cast<std::uint16_t>(tones.intervals | (1U << *third));
    }
    return tones;
}

std::optional<DiagramTones> TonesOfSymbol(std::string_view symbol) {
    ScoreTree score;
    Chord chord;
    chord.SetText(symbol);
    if (AnalyzeChord(chord, symbol, score, ChordDefinitions()) != ChordAnalysis::Ok) {
        return std::nullopt;
    }
    return TonesOf(chord, 0);
}

std::string_view DiagramKindCode(DiagramKind kind) {
    switch (kind) {
        case DiagramKind::Guitar:
            return "guitar";
        case DiagramKind::Ukulele:
            return "ukulele";
        case DiagramKind::Piano:
            return "piano";
        case DiagramKind::None:
            break;
    }
    return "none";
}

std::optional<DiagramKind> DiagramKindFromCode(std::string_view code) {
    for (const DiagramKind kind :
         {DiagramKind::None, DiagramKind::Guitar, DiagramKind::Ukulele, DiagramKind::Piano}) {
        if (code == DiagramKindCode(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

const FrettedInstrument& Guitar() {
    return kGuitar;
}

const FrettedInstrument& Ukulele() {
    return kUkulele;
}

const FrettedInstrument* FrettedInstrumentOf(DiagramKind kind) {
    return kind == DiagramKind::Guitar ? &kGuitar : kind == DiagramKind::Ukulele ? &kUkulele : nullptr;
}

int FrettedShape::LowestFret() const {
    int lowest = 0;
    for (const std::int8_t fret : frets) {
        if (fret > 0 && (lowest == 0 || fret < lowest)) {
            lowest = fret;
        }
    }
    return lowest;
}

int FrettedShape::HighestFret() const {
    int highest = 0;
    for (const std::int8_t fret : frets) {
        highest = std::max<int>(highest, fret);
    }
    return highest;
}

int FrettedShape::Fingers() const {
    int fingers = barreFret > 0 ? 1 : 0;
    for (int i = 0; i < static_cast<int>(frets.size()); ++i) {
        const int fret = frets[static_cast<std::size_t>(i)];
        const bool underBarre = barreFret > 0 && fret == barreFret && i >= barreFrom && i <= barreTo;
        fingers += fret > 0 && !underBarre ? 1 : 0;
    }
    return fingers;
}

std::string FrettedShape::Code() const {
    const bool apart = HighestFret() > 9;
    std::string code;
    for (const std::int8_t fret : frets) {
        if (apart && !code.empty()) {
            code += '-';
        }
        code += fret == kMuted ? std::string("x") : std::to_string(fret);
    }
    return code;
}

std::optional<FrettedShape> ShapeFromCode(std::string_view code, const FrettedInstrument& instrument) {
    FrettedShape shape;
    const bool apart = code.find('-') != std::string_view::npos;
    while (!code.empty()) {
        std::string_view part = code.substr(0, apart ? code.find('-') : 1);
        code.remove_prefix(std::min(code.size(), part.size() + (apart ? 1 : 0)));
        int fret = 0;
        if (part == "x" || part == "X") {
            fret = FrettedShape::kMuted;
        } else {
            const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), fret);
            if (error != std::errc() || end != part.data() + part.size() || fret < 0 ||
                fret > instrument.highestFret) {
                return std::nullopt;
            }
        }
        shape.frets.push_back(static_cast<std::int8_t>(fret));
    }
    if (shape.frets.size() != instrument.strings.size()) {
        return std::nullopt;
    }
    PlaceBarre(shape);
    return shape;
}

bool Playable(const FrettedShape& shape) {
    const int lowest = shape.LowestFret();
    return (lowest == 0 || shape.HighestFret() - lowest < kFretsUnderTheHand) && shape.Fingers() <= kFingers;
}

bool SoundsChord(const FrettedShape& shape, const DiagramTones& tones, const FrettedInstrument& instrument) {
    if (tones.empty()) {
        return false;
    }
    SearchRules loosest;
    loosest.neededTones = 2;
    loosest.fewestStrings = 3;
    loosest.innerMutes = 2;
    return Fits(shape, tones, instrument, loosest);
}

std::vector<FrettedShape> ShapesFor(const DiagramTones& tones, const FrettedInstrument& instrument,
                                    std::size_t count) {
    std::vector<FrettedShape> shapes;
    if (tones.empty() || count == 0) {
        return shapes;
    }
    if (std::optional<FrettedShape> known = KnownShapeOf(tones, instrument)) {
        shapes.push_back(std::move(*known));
    }
    // Strict first; a chord that fits no shape so leaves out more, then lets the bass sound anywhere.
    const int fewest = instrument.fewestStrings;
    for (const SearchRules& rules : {SearchRules{4, fewest, 1, true}, SearchRules{3, 3, 2, true},
                                     SearchRules{2, 3, 2, true}, SearchRules{2, 3, 2, false}}) {
        std::vector<Candidate> found;
        Search(tones, instrument, rules, found);
        if (found.empty()) {
            continue;
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
        // Alternatives a player would call different: no two whose stopped frets start at the same place.
        std::vector<int> positions;
        for (const FrettedShape& shape : shapes) {
            positions.push_back(shape.LowestFret());
        }
        for (const Candidate& candidate : found) {
            if (shapes.size() >= count) {
                break;
            }
            const int position = candidate.shape.LowestFret();
            if (std::find(positions.begin(), positions.end(), position) == positions.end()) {
                positions.push_back(position);
                shapes.push_back(candidate.shape);
            }
        }
        break;
    }
    return shapes;
}

std::vector<int> PianoKeys(const DiagramTones& tones) {
    std::vector<int> keys;
    if (tones.empty()) {
        return keys;
    }
    int root = tones.root;
    if (tones.bass != tones.root) {
        keys.push_back(tones.bass);
        root += tones.root <= tones.bass ? kOctave : 0;
    }
    const bool third = HasThird(tones);
    const bool seventh = HasSeventh(tones);
    for (int interval = 0; interval < kOctave; ++interval) {
        if (!tones.Has(interval)) {
            continue;
        }
        // Ninths, elevenths, thirteenths and alterations stand over the seventh, as they are named.
        const bool extension =
            interval == kMinorSecond || (interval == kMajorSecond && third) ||
            (interval == kMinorThird && tones.Has(kMajorThird)) || (interval == kFourth && third) ||
            (interval == kTritone && tones.Has(kFifth)) || (interval == kMinorSixth && tones.Has(kFifth)) ||
            (interval == kMajorSixth && seventh);
        keys.push_back(root + interval + (extension ? kOctave : 0));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

std::string ShapeLinePrefix(const FrettedInstrument& instrument) {
    return "#kaz:" + std::string(instrument.name) + "=";
}

namespace {

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string ShapeChoicesCode(const ShapeChoices& choices) {
    std::string code;
    for (const auto& [name, shape] : choices) {
        code += (code.empty() ? "" : "; ") + name + " " + shape;
    }
    return code;
}

}  // namespace

ShapeChoices ShapeChoicesOfChart(std::string_view text, const FrettedInstrument& instrument) {
    ShapeChoices choices;
    const std::optional<std::string_view> value = CommentLineValue(text, ShapeLinePrefix(instrument));
    std::string_view rest = value.value_or(std::string_view());
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view entry = Trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::size_t space = entry.rfind(' ');
        if (space == std::string_view::npos) {
            continue;
        }
        const std::string_view name = Trim(entry.substr(0, space));
        const std::string_view code = entry.substr(space + 1);
        if (!name.empty() && ShapeFromCode(code, instrument)) {
            choices.insert_or_assign(std::string(name), std::string(code));
        }
    }
    return choices;
}

std::optional<TextChange> ShapeChoiceChange(std::string_view text, const FrettedInstrument& instrument,
                                            std::string_view name, const std::optional<FrettedShape>& shape) {
    ShapeChoices choices = ShapeChoicesOfChart(text, instrument);
    if (shape) {
        choices.insert_or_assign(std::string(name), shape->Code());
    } else if (const auto found = choices.find(name); found != choices.end()) {
        choices.erase(found);
    }
    return CommentLineChange(text, ShapeLinePrefix(instrument),
                             choices.empty() ? std::nullopt : std::optional(ShapeChoicesCode(choices)));
}

ChordDiagramBook::ChordDiagramBook(DiagramKind kind, ShapeChoices choices)
    : kind_(kind), choices_(std::move(choices)) {}

const FrettedShape* ChordDiagramBook::ShapeOf(const DiagramTones& tones, std::string_view name) const {
    const FrettedInstrument* instrument = Instrument();
    if (instrument == nullptr || tones.empty()) {
        return nullptr;
    }
    std::string key(name);
    key += '\0';
    key += static_cast<char>(tones.root);
    key += static_cast<char>(tones.bass);
    key += static_cast<char>(tones.intervals & 0xFF);
    key += static_cast<char>(tones.intervals >> 8);
    auto found = shapes_.find(key);
    if (found == shapes_.end()) {
        std::optional<FrettedShape> shape;
        if (const auto chosen = choices_.find(name); chosen != choices_.end()) {
            shape = ShapeFromCode(chosen->second, *instrument);
            if (shape && !SoundsChord(*shape, tones, *instrument)) {
                shape.reset();
            }
        }
        if (!shape) {
            std::vector<FrettedShape> shapes = ShapesFor(tones, *instrument, 1);
            if (!shapes.empty()) {
                shape = std::move(shapes.front());
            }
        }
        found = shapes_.emplace(std::move(key), std::move(shape)).first;
    }
    return found->second ? &*found->second : nullptr;
}

}  // namespace kaz
