#include "interchange/musicxml_harmony.h"

#include <array>
#include <cctype>

namespace kaz {

namespace {

struct KindSpelling {
    std::string_view suffix;
    std::string_view kind;
    int addedDegree = 0;  //!< a degree the spelling adds to its kind: 9 for "69", 7 (flat) for "7sus4"
    int addedAlter = 0;
};

//! Chart suffixes and the MusicXML kinds they stand for; the first suffix of a kind is the one read back.
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
    {"69", "major-sixth", 9, 0},
    {"m69", "minor-sixth", 9, 0},
    {"add9", "major", 9, 0},
    {"7sus4", "suspended-fourth", 7, -1},
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
    {"6add9", "major-sixth", 9, 0},
    {"6/9", "major-sixth", 9, 0},
    {"7sus", "suspended-fourth", 7, -1},
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

//! Alterations and additions after a kind: "b9", "#11", "-5", "+9", "add9", "alt"; false for anything else.
bool ReadDegrees(std::string_view rest, std::vector<HarmonyDescription::Degree>& degrees) {
    while (!rest.empty()) {
        if (rest.starts_with("alt")) {
            degrees.push_back({5, 1, "alter"});
            degrees.push_back({9, 1, "alter"});
            rest.remove_prefix(3);
            continue;
        }
        std::string type = "alter";
        int alter = 0;
        if (rest.starts_with("add")) {
            type = "add";
            rest.remove_prefix(3);
        } else if (rest[0] == 'b' || rest[0] == '-' || rest[0] == '#' || rest[0] == '+') {
            alter = rest[0] == 'b' || rest[0] == '-' ? -1 : 1;
            rest.remove_prefix(1);
        } else {
            return false;
        }
        int value = 0;
        while (!rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0])) != 0) {
            value = value * 10 + (rest[0] - '0');
            rest.remove_prefix(1);
        }
        if (value == 0 || value > 13) {
            return false;
        }
        degrees.push_back({value, alter, type});
    }
    return true;
}

std::string Accidental(int alter) {
    return alter > 0 ? "#" : alter < 0 ? "b" : "";
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
    for (const KindSpelling& spelling : kKinds) {
        std::vector<HarmonyDescription::Degree> degrees;
        if (chord.starts_with(spelling.suffix) &&
            (best == nullptr || spelling.suffix.size() > best->suffix.size()) &&
            ReadDegrees(chord.substr(spelling.suffix.size()), degrees)) {
            best = &spelling;
            description.degrees = std::move(degrees);
        }
    }
    if (best == nullptr) {
        description.kind = "other";
        return true;
    }
    description.kind = std::string(best->kind);
    if (best->addedDegree != 0) {
        description.degrees.insert(description.degrees.begin(), {best->addedDegree, best->addedAlter, "add"});
    }
    return true;
}

std::string ChartChordOf(const HarmonyDescription& description) {
    if (description.kind == "none") {
        return "N.C.";
    }
    std::string chord(1, description.rootStep);
    chord += Accidental(description.rootAlter);
    if (description.kind == "other") {
        chord += description.text;
    } else {
        std::vector<HarmonyDescription::Degree> degrees = description.degrees;
        const KindSpelling* spelling = nullptr;
        // A kind with an added degree that one spelling names as a whole ("69", "7sus4") reads as that
        // spelling.
        for (const KindSpelling& candidate : kKinds) {
            if (candidate.kind != description.kind) {
                continue;
            }
            if (candidate.addedDegree == 0 && spelling == nullptr) {
                spelling = &candidate;
            }
            if (candidate.addedDegree != 0 && !degrees.empty() && degrees.front().type == "add" &&
                degrees.front().value == candidate.addedDegree &&
                degrees.front().alter == candidate.addedAlter) {
                spelling = &candidate;
                degrees.erase(degrees.begin());
                break;
            }
        }
        chord += spelling != nullptr ? std::string(spelling->suffix) : description.text;
        for (const auto& degree : degrees) {
            if (degree.type == "add") {
                chord += "add" + Accidental(degree.alter) + std::to_string(degree.value);
            } else if (degree.type == "alter") {
                chord += Accidental(degree.alter) + std::to_string(degree.value);
            }
        }
    }
    if (description.hasBass) {
        chord += "/" + std::string(1, description.bassStep) + Accidental(description.bassAlter);
    }
    return chord;
}

}  // namespace kaz
