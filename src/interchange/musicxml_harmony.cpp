#include "interchange/musicxml_harmony.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <numeric>
#include <optional>

#include "harmony/chord_aliases.h"
#include "interchange/chord_voice.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

constexpr int kNo = -1;

//! The tones of a chord by degree, each in semitones above the root; kNo where the chord has none. A
//! suspended chord has a second or fourth in place of its third.
struct Tones {
    int second = kNo;
    int third = 4;
    int fourth = kNo;
    int fifth = 7;
    int sixth = kNo;
    int seventh = kNo;
    int ninth = kNo;
    int eleventh = kNo;
    int thirteenth = kNo;
    bool rootless = false;
};

using ToneField = int Tones::*;

//! Each degree's tone in the dominant chord, from which an added degree's alteration counts.
constexpr std::array<std::pair<int, int>, 10> kDominantDegrees = {
    {{1, 0}, {2, 2}, {3, 4}, {4, 5}, {5, 7}, {6, 9}, {7, 10}, {9, 14}, {11, 17}, {13, 21}}};

std::optional<int> DominantTone(int degree) {
    for (const auto& [value, semitones] : kDominantDegrees) {
        if (value == degree) {
            return semitones;
        }
    }
    return std::nullopt;
}

//! The field of a degree; nullptr for the root and for numbers that are no degree.
ToneField FieldOf(int degree) {
    switch (degree) {
        case 2:
            return &Tones::second;
        case 3:
            return &Tones::third;
        case 4:
            return &Tones::fourth;
        case 5:
            return &Tones::fifth;
        case 6:
            return &Tones::sixth;
        case 7:
            return &Tones::seventh;
        case 9:
            return &Tones::ninth;
        case 11:
            return &Tones::eleventh;
        case 13:
            return &Tones::thirteenth;
        default:
            return nullptr;
    }
}

struct KindTones {
    std::string_view kind;
    Tones tones;
};

// Every kind MusicXML names but "other" and "none". The functional sixths are read on the root the file
// gives: the Italian sixth sounds as a dominant seventh without its fifth, the French with a lowered fifth,
// the German as a dominant seventh, the Tristan chord as a half-diminished seventh.
constexpr std::array<KindTones, 31> kKindTones = {{
    {"major", {}},
    {"minor", {.third = 3}},
    {"augmented", {.fifth = 8}},
    {"diminished", {.third = 3, .fifth = 6}},
    {"dominant", {.seventh = 10}},
    {"major-seventh", {.seventh = 11}},
    {"minor-seventh", {.third = 3, .seventh = 10}},
    {"diminished-seventh", {.third = 3, .fifth = 6, .seventh = 9}},
    {"augmented-seventh", {.fifth = 8, .seventh = 10}},
    {"half-diminished", {.third = 3, .fifth = 6, .seventh = 10}},
    {"major-minor", {.third = 3, .seventh = 11}},
    {"major-sixth", {.sixth = 9}},
    {"minor-sixth", {.third = 3, .sixth = 9}},
    {"dominant-ninth", {.seventh = 10, .ninth = 14}},
    {"major-ninth", {.seventh = 11, .ninth = 14}},
    {"minor-ninth", {.third = 3, .seventh = 10, .ninth = 14}},
    {"dominant-11th", {.seventh = 10, .ninth = 14, .eleventh = 17}},
    {"major-11th", {.seventh = 11, .ninth = 14, .eleventh = 17}},
    {"minor-11th", {.third = 3, .seventh = 10, .ninth = 14, .eleventh = 17}},
    {"dominant-13th", {.seventh = 10, .ninth = 14, .eleventh = 17, .thirteenth = 21}},
    {"major-13th", {.seventh = 11, .ninth = 14, .eleventh = 17, .thirteenth = 21}},
    {"minor-13th", {.third = 3, .seventh = 10, .ninth = 14, .eleventh = 17, .thirteenth = 21}},
    {"suspended-second", {.second = 2, .third = kNo}},
    {"suspended-fourth", {.third = kNo, .fourth = 5}},
    {"Neapolitan", {}},
    {"Italian", {.fifth = kNo, .seventh = 10}},
    {"French", {.fifth = 6, .seventh = 10}},
    {"German", {.seventh = 10}},
    {"pedal", {.third = kNo, .fifth = kNo}},
    {"power", {.third = kNo}},
    {"Tristan", {.third = 3, .fifth = 6, .seventh = 10}},
}};

const Tones* TonesOfKind(std::string_view kind) {
    for (const KindTones& entry : kKindTones) {
        if (entry.kind == kind) {
            return &entry.tones;
        }
    }
    return nullptr;
}

// ---- Reading: tones from a kind and its degrees, and their everyday spelling ----

void ApplyDegree(Tones& tones, const HarmonyDescription::Degree& degree) {
    const int alter = std::clamp(degree.alter, -2, 2);
    if (degree.value == 1) {
        tones.rootless = degree.type == "subtract";
        return;
    }
    // An added second, fourth or sixth over a chord that has its third or seventh is a ninth, an eleventh
    // or a thirteenth.
    int value = degree.value;
    if (degree.type != "subtract") {
        if ((value == 2 || value == 4) && tones.third != kNo) {
            value += 7;
        } else if (value == 6 && tones.seventh != kNo) {
            value = 13;
        }
    }
    const ToneField field = FieldOf(value);
    const std::optional<int> dominant = DominantTone(value);
    if (field == nullptr || !dominant) {
        return;
    }
    int& tone = tones.*field;
    if (degree.type == "subtract") {
        tone = kNo;
    } else if (degree.type == "alter" && tone != kNo) {
        tone += alter;
    } else {
        // An alteration of a degree the kind does not hold adds it, as the program that wrote it meant.
        tone = *dominant + alter;
    }
}

//! The tones in the places the spelling reads them from: a suspension over a third is an eleventh or a
//! ninth, a sixth beside a seventh a thirteenth, a lowered seventh outside a diminished chord a sixth.
Tones Normalized(Tones tones) {
    if (tones.third == 5 || tones.third == 2) {
        (tones.third == 5 ? tones.fourth : tones.second) = tones.third;
        tones.third = kNo;
    }
    if (tones.third != kNo && tones.fourth != kNo && tones.eleventh == kNo) {
        tones.eleventh = tones.fourth + 12;
        tones.fourth = kNo;
    }
    if (tones.third != kNo && tones.second != kNo && tones.ninth == kNo) {
        tones.ninth = tones.second + 12;
        tones.second = kNo;
    }
    if (tones.seventh == 9 && !(tones.third == 3 && tones.fifth == 6)) {
        tones.sixth = 9;
        tones.seventh = kNo;
    }
    if (tones.seventh == kNo && tones.thirteenth != kNo && tones.sixth == kNo) {
        tones.sixth = tones.thirteenth - 12;
        tones.thirteenth = kNo;
    }
    if (tones.seventh != kNo && tones.sixth != kNo && tones.thirteenth == kNo) {
        tones.thirteenth = tones.sixth + 12;
        tones.sixth = kNo;
    }
    return tones;
}

std::string Accidental(int alter) {
    return alter > 0 ? std::string(static_cast<std::size_t>(alter), '#')
                     : std::string(static_cast<std::size_t>(-alter), 'b');
}

//! The everyday suffix of normalized tones, in the order the chart's spellings take: quality and number,
//! alterations by degree, suspension, additions. It names every set of tones, also those Kaz cannot play.
std::string Spelled(Tones tones) {
    const bool minor = tones.third == 3;
    std::string suffix;
    if (minor && tones.fifth == 6 && tones.seventh == 9) {
        suffix = "dim7";
        tones.fifth = tones.seventh = kNo;
    } else if (minor && tones.fifth == 6 && tones.seventh == kNo && tones.sixth == kNo) {
        suffix = "dim";
        tones.fifth = kNo;
    } else if (tones.third == 4 && tones.fifth == 8 && tones.seventh == kNo && tones.sixth == kNo) {
        suffix = "aug";
        tones.fifth = kNo;
    } else {
        suffix = minor ? "m" : "";
        if (tones.seventh == 11) {
            suffix += "maj";
        }
        if (tones.seventh != kNo) {
            if (tones.thirteenth == 21) {
                suffix += "13";
                tones.thirteenth = kNo;
                tones.ninth = tones.ninth == 14 ? kNo : tones.ninth;
                // A thirteenth chord leaves out its eleventh unless it is raised.
                tones.eleventh = tones.eleventh == 17 ? kNo : tones.eleventh;
            } else if (tones.eleventh == 17 && tones.ninth == 14) {
                suffix += "11";
                tones.eleventh = tones.ninth = kNo;
            } else if (tones.ninth == 14) {
                suffix += "9";
                tones.ninth = kNo;
            } else {
                suffix += "7";
            }
            tones.seventh = kNo;
        } else if (tones.sixth == 9) {
            suffix += tones.ninth == 14 ? "69" : "6";
            tones.sixth = kNo;
            tones.ninth = tones.ninth == 14 ? kNo : tones.ninth;
        }
    }
    // A lowered sixth alters a minor chord ("mb6") and is added to any other.
    const std::array<std::pair<int*, std::pair<int, std::string_view>>, 7> alterations = {{
        {&tones.fifth, {6, "b5"}},
        {&tones.fifth, {8, "#5"}},
        {&tones.sixth, {minor ? 8 : kNo, "b6"}},
        {&tones.ninth, {13, "b9"}},
        {&tones.ninth, {15, "#9"}},
        {&tones.eleventh, {18, "#11"}},
        {&tones.thirteenth, {20, "b13"}},
    }};
    for (const auto& [tone, alteration] : alterations) {
        if (*tone == alteration.first && *tone != kNo) {
            suffix += alteration.second;
            *tone = kNo;
        }
    }
    if (tones.third == kNo) {
        if (tones.second != kNo || tones.fourth != kNo) {
            suffix += tones.second != kNo ? "sus2" : "";
            suffix += tones.fourth != kNo ? "sus4" : "";
        } else if (suffix.empty() && tones.sixth == kNo && tones.ninth == kNo && tones.eleventh == kNo &&
                   tones.thirteenth == kNo) {
            suffix = "5";
        } else {
            suffix += "(no3)";
        }
    }
    const std::array<std::pair<int, int>, 4> additions = {
        {{tones.sixth, 9}, {tones.ninth, 14}, {tones.eleventh, 17}, {tones.thirteenth, 21}}};
    const std::array<std::string_view, 4> names = {"6", "9", "11", "13"};
    for (std::size_t i = 0; i < additions.size(); ++i) {
        if (additions[i].first != kNo) {
            suffix += "add" + Accidental(additions[i].first - additions[i].second) + std::string(names[i]);
        }
    }
    return suffix;
}

//! What Kaz may leave out of a chord it cannot play whole, and how much a musician misses it.
struct Simplification {
    ToneField field;
    int keep;  //!< the tone left in its place: the plain fifth for an altered one, or kNo
    int loss;
};

std::vector<Simplification> SimplificationsOf(const Tones& tones) {
    std::vector<Simplification> simplifications;
    const auto offer = [&](ToneField field, int keep, int loss) {
        if (tones.*field != kNo && tones.*field != keep) {
            simplifications.push_back({field, keep, loss});
        }
    };
    offer(&Tones::eleventh, kNo, tones.eleventh == 17 ? 1 : 3);
    offer(&Tones::thirteenth, kNo, tones.thirteenth == 21 ? 1 : 3);
    offer(&Tones::ninth, kNo, tones.ninth == 14 ? 2 : 3);
    offer(&Tones::sixth, kNo, 2);
    offer(&Tones::fifth, 7, 4);
    offer(&Tones::second, kNo, 4);
    if (tones.third == kNo && tones.second == kNo && tones.fourth == kNo) {
        // A chord without its third is played with the major one rather than not at all.
        simplifications.push_back({&Tones::third, 4, 5});
    }
    return simplifications;
}

bool Plays(const std::string& suffix) {
    return !suffix.starts_with('#') && PlaysAsChord("C" + suffix);
}

//! The suffix Kaz plays nearest to the tones: the whole chord when it can, otherwise without the fewest and
//! least telling tones.
std::string NearestPlayed(const Tones& tones) {
    const std::vector<Simplification> simplifications = SimplificationsOf(tones);
    std::vector<unsigned> choices(1u << simplifications.size());
    std::iota(choices.begin(), choices.end(), 0u);
    const auto loss = [&](unsigned choice) {
        int total = 0;
        for (std::size_t i = 0; i < simplifications.size(); ++i) {
            total += (choice >> i & 1u) != 0 ? simplifications[i].loss : 0;
        }
        return std::pair(std::popcount(choice), total);
    };
    std::stable_sort(choices.begin(), choices.end(),
                     [&](unsigned a, unsigned b) { return loss(a) < loss(b); });
    for (const unsigned choice : choices) {
        Tones simpler = tones;
        for (std::size_t i = 0; i < simplifications.size(); ++i) {
            if ((choice >> i & 1u) != 0) {
                simpler.*simplifications[i].field = simplifications[i].keep;
            }
        }
        if (const std::string suffix = Spelled(Normalized(simpler)); Plays(suffix)) {
            return suffix;
        }
    }
    return tones.third == 3 ? "m" : "";
}

//! A kind's own text when it is a suffix Kaz plays, in its everyday written form ("-7" is "m7").
std::optional<std::string> PlayedText(std::string_view text) {
    static constexpr std::array<std::string_view, 5> kSymbols = {"\xCE\x94", "\xE2\x88\x86", "\xC3\xB8",
                                                                 "\xC3\x98", "\xC2\xB0"};
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        const auto symbol = std::find_if(kSymbols.begin(), kSymbols.end(),
                                         [&](std::string_view s) { return text.substr(i).starts_with(s); });
        if (symbol != kSymbols.end()) {
            plain += *symbol;
            i += symbol->size();
            continue;
        }
        const char c = text[i++];
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 &&
            std::string_view("#+-()^").find(c) == std::string_view::npos) {
            return std::nullopt;
        }
        plain += c;
    }
    if (plain.empty()) {
        return std::nullopt;
    }
    std::string suffix = WrittenForm(plain).value_or(plain);
    if (!Plays(suffix)) {
        return std::nullopt;
    }
    return suffix;
}

constexpr std::array<std::string_view, 12> kSharpNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                          "F#", "G",  "G#", "A",  "A#", "B"};
constexpr std::array<std::string_view, 12> kFlatNames = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                         "Gb", "G",  "Ab", "A",  "Bb", "B"};
constexpr std::string_view kSteps = "CDEFGAB";
constexpr std::array<int, 7> kStepPitches = {0, 2, 4, 5, 7, 9, 11};

int StepIndex(char step) {
    const std::size_t index = kSteps.find(step);
    return index == std::string_view::npos ? 0 : static_cast<int>(index);
}

int PitchOf(char step, int alter) {
    return ((kStepPitches[static_cast<std::size_t>(StepIndex(step))] + alter) % 12 + 12) % 12;
}

//! A note as the chart names it: its own name when the chart has one (C flat and F flat among them),
//! otherwise the name of the same key with the same kind of accidental (E sharp is F, F double flat E flat).
std::string NoteNameOf(char step, int alter) {
    alter = std::clamp(alter, -2, 2);
    const auto pitch = static_cast<std::size_t>(PitchOf(step, alter));
    if (alter == 0) {
        return std::string(1, step);
    }
    if (alter == -1 && (step == 'C' || step == 'F')) {
        return std::string(1, step) + 'b';
    }
    return std::string(alter > 0 ? kSharpNames[pitch] : kFlatNames[pitch]);
}

//! The bass of an inversion: the chord's third (or suspension), fifth or seventh (or sixth), spelled from
//! the root's letter.
std::string InversionBass(const HarmonyDescription& description, const Tones& tones) {
    const std::array<std::pair<int, int>, 3> candidates[] = {
        {{{tones.third, 2}, {tones.fourth, 3}, {tones.second, 1}}},
        {{{tones.fifth, 4}, {7, 4}, {kNo, 0}}},
        {{{tones.seventh, 6}, {tones.sixth, 5}, {kNo, 0}}},
    };
    for (const auto& [semitones, steps] : candidates[description.inversion - 1]) {
        if (semitones >= 0) {
            const char letter =
                kSteps[static_cast<std::size_t>((StepIndex(description.rootStep) + steps) % 7)];
            const int pitch = PitchOf(description.rootStep, description.rootAlter) + semitones;
            const int alter = ((pitch - PitchOf(letter, 0)) % 12 + 18) % 12 - 6;
            return NoteNameOf(letter, alter);
        }
    }
    return {};
}

// ---- Writing: a chart chord described as a kind and its degrees ----

struct KindSpelling {
    std::string_view suffix;
    std::string_view kind;
    int addedDegree = 0;  //!< a degree the spelling adds to its kind: 9 for "69", 7 for "7sus4"
};

//! Chart suffixes and the MusicXML kinds they stand for.
constexpr std::array<KindSpelling, 50> kKinds = {{
    {"", "major"},
    {"m", "minor"},
    {"aug", "augmented"},
    {"dim", "diminished"},
    {"7", "dominant"},
    {"maj7", "major-seventh"},
    {"m7", "minor-seventh"},
    {"dim7", "diminished-seventh"},
    {"7#5", "augmented-seventh"},
    {"m7b5", "half-diminished"},
    {"m(maj7)", "major-minor"},
    {"6", "major-sixth"},
    {"m6", "minor-sixth"},
    {"9", "dominant-ninth"},
    {"maj9", "major-ninth"},
    {"m9", "minor-ninth"},
    {"11", "dominant-11th"},
    {"maj11", "major-11th"},
    {"m11", "minor-11th"},
    {"13", "dominant-13th"},
    {"maj13", "major-13th"},
    {"m13", "minor-13th"},
    {"sus2", "suspended-second"},
    {"sus4", "suspended-fourth"},
    {"5", "power"},
    {"69", "major-sixth", 9},
    {"m69", "minor-sixth", 9},
    {"add9", "major", 9},
    {"7sus4", "suspended-fourth", 7},
    {"mi", "minor"},
    {"min", "minor"},
    {"+", "augmented"},
    {"o", "diminished"},
    {"M7", "major-seventh"},
    {"ma7", "major-seventh"},
    {"^7", "major-seventh"},
    {"^", "major-seventh"},
    {"\xCE\x94", "major-seventh"},
    {"\xCE\x94"
     "7",
     "major-seventh"},
    {"mi7", "minor-seventh"},
    {"min7", "minor-seventh"},
    {"-", "minor-seventh"},
    {"o7", "diminished-seventh"},
    {"m7-5", "half-diminished"},
    {"\xC3\xB8", "half-diminished"},
    {"\xC3\xB8"
     "7",
     "half-diminished"},
    {"mmaj7", "major-minor"},
    {"6add9", "major-sixth", 9},
    {"6/9", "major-sixth", 9},
    {"7sus", "suspended-fourth", 7},
}};

int AlterOf(char accidental) {
    return accidental == '#' ? 1 : accidental == 'b' ? -1 : 0;
}

//! A note name at the start of text; false when none starts there.
bool ReadNote(std::string_view& text, char& step, int& alter) {
    if (text.empty() || text[0] < 'A' || text[0] > 'H') {
        return false;
    }
    step = text[0] == 'H' ? 'B' : text[0];
    text.remove_prefix(1);
    alter = !text.empty() ? AlterOf(text[0]) : 0;
    if (alter != 0) {
        text.remove_prefix(1);
    }
    return true;
}

//! Alterations and additions after a kind: "b9", "#11", "-5", "+9", "add9", "alt", each with its alteration
//! from the dominant chord's degree; false for anything else.
bool ReadDegrees(std::string_view rest, std::vector<HarmonyDescription::Degree>& degrees) {
    while (!rest.empty()) {
        if (rest.starts_with("alt")) {
            degrees.push_back({5, 1, "add"});
            degrees.push_back({9, 1, "add"});
            rest.remove_prefix(3);
            continue;
        }
        int alter = 0;
        if (rest.starts_with("add")) {
            rest.remove_prefix(3);
        } else if (rest[0] == 'b' || rest[0] == '-' || rest[0] == '#' || rest[0] == '+') {
            alter = rest[0] == 'b' || rest[0] == '-' ? -1 : 1;
            rest.remove_prefix(1);
        } else {
            return false;
        }
        int value = 0;
        while (!rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0])) != 0 && value <= 13) {
            value = value * 10 + (rest[0] - '0');
            rest.remove_prefix(1);
        }
        if (!DominantTone(value) || value == 1) {
            return false;
        }
        degrees.push_back({value, alter, "add"});
    }
    return true;
}

//! The degrees as MusicXML counts them: one the kind holds is altered from its tone there, and left out
//! when it is that tone; any other is added, altered from the dominant chord's.
std::vector<HarmonyDescription::Degree> AgainstKind(const std::vector<HarmonyDescription::Degree>& degrees,
                                                    const Tones& kind) {
    std::vector<HarmonyDescription::Degree> counted;
    for (const auto& degree : degrees) {
        const int tone = *DominantTone(degree.value) + degree.alter;
        const ToneField field = FieldOf(degree.value);
        if (field != nullptr && kind.*field != kNo) {
            if (tone != kind.*field) {
                counted.push_back({degree.value, tone - kind.*field, "alter"});
            }
        } else {
            counted.push_back(degree);
        }
    }
    return counted;
}

}  // namespace

bool DescribeChord(std::string_view chord, HarmonyDescription& description) {
    description = HarmonyDescription();
    if (chord == "N.C." || chord == "NC") {
        description.kind = "none";
        description.text = "N.C.";
        return true;
    }
    if (!ReadNote(chord, description.rootStep, description.rootAlter)) {
        return false;
    }
    if (const std::size_t slash = chord.rfind('/'); slash != std::string_view::npos) {
        std::string_view bass = chord.substr(slash + 1);
        if (ReadNote(bass, description.bassStep, description.bassAlter) && bass.empty()) {
            description.hasBass = true;
            chord = chord.substr(0, slash);
        }
    }
    description.text = std::string(chord);
    const KindSpelling* best = nullptr;
    std::vector<HarmonyDescription::Degree> degrees;
    for (const KindSpelling& spelling : kKinds) {
        std::vector<HarmonyDescription::Degree> read;
        if (chord.starts_with(spelling.suffix) &&
            (best == nullptr || spelling.suffix.size() > best->suffix.size()) &&
            ReadDegrees(chord.substr(spelling.suffix.size()), read)) {
            best = &spelling;
            degrees = std::move(read);
        }
    }
    if (best == nullptr) {
        description.kind = "other";
        return true;
    }
    description.kind = std::string(best->kind);
    // The kind's text shows the kind, and the degree a spelling such as "69" or "7sus4" adds to it; the
    // other degrees show themselves.
    description.text = std::string(best->suffix);
    if (best->addedDegree != 0) {
        degrees.insert(degrees.begin(), {best->addedDegree, 0, "add", false});
    }
    description.degrees = AgainstKind(degrees, *TonesOfKind(description.kind));
    return true;
}

WrittenChord WrittenChordOf(const HarmonyDescription& description) {
    if (description.kind == "none") {
        return {"N.C.", {}};
    }
    WrittenChord chord;
    const std::string root = NoteNameOf(description.rootStep, description.rootAlter);
    const Tones* kindTones = TonesOfKind(description.kind);
    std::string suffix;
    Tones tones;
    if (kindTones == nullptr) {
        // A kind of the file's own ("other") is known by its text alone.
        const std::optional<std::string> text = PlayedText(description.text);
        suffix = text.value_or("");
        if (!text) {
            chord.described =
                OneLine(root + (description.text.empty() ? "(" + description.kind + ")" : description.text));
        }
    } else {
        tones = *kindTones;
        for (const auto& degree : description.degrees) {
            ApplyDegree(tones, degree);
        }
        const std::string whole = description.kind == "pedal" && description.degrees.empty()
                                      ? "(pedal)"
                                      : Spelled(Normalized(tones));
        suffix = Plays(whole) ? whole : NearestPlayed(tones);
        if (suffix != whole || tones.rootless) {
            chord.described = root + whole + (tones.rootless ? "(no root)" : "");
        }
    }
    chord.symbol = root + suffix;
    std::string bass;
    if (description.hasBass) {
        bass = NoteNameOf(description.bassStep, description.bassAlter);
    } else if (description.inversion >= 1 && description.inversion <= 3 && kindTones != nullptr) {
        bass = InversionBass(description, Normalized(tones));
    }
    if (!bass.empty() && bass != root) {
        chord.symbol += "/" + bass;
        if (!chord.described.empty()) {
            chord.described += "/" + bass;
        }
    }
    return chord;
}

namespace {

constexpr std::array<std::string_view, 15> kMajorKeys = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                                         "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
constexpr std::array<std::string_view, 15> kMinorKeys = {"Ab", "Eb", "Bb", "F",  "C",  "G",  "D", "A",
                                                         "E",  "B",  "F#", "C#", "G#", "D#", "A#"};

}  // namespace

std::string KeyName(KeySignature signature) {
    const auto index = static_cast<std::size_t>(std::clamp(signature.fifths, -7, 7) + 7);
    return signature.minor ? std::string(kMinorKeys[index]) + "m" : std::string(kMajorKeys[index]);
}

std::optional<KeySignature> SignatureOfKey(std::string_view key) {
    const bool minor = key.size() > 1 && key.back() == 'm';
    const std::string_view tonic = minor ? key.substr(0, key.size() - 1) : key;
    const auto& keys = minor ? kMinorKeys : kMajorKeys;
    const auto found = std::find(keys.begin(), keys.end(), tonic);
    if (found == keys.end()) {
        return std::nullopt;
    }
    return KeySignature{static_cast<int>(found - keys.begin()) - 7, minor};
}

}  // namespace kaz
