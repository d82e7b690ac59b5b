#include "interchange/chord_voice.h"

#include <algorithm>
#include <array>
#include <string>

#include "harmony/chord_analysis.h"

namespace kaz {

namespace {

constexpr std::array<std::string_view, 18> kRoots = {"A#", "Ab", "A", "Bb", "B", "C#", "C",  "D#", "Db",
                                                     "D",  "Eb", "E", "F#", "F", "G#", "Gb", "G",  "H"};
constexpr std::array<std::string_view, 5> kSigns = {"\xCE\x94", "\xE2\x88\x86", "\xC3\xB8", "\xC3\x98",
                                                    "\xC2\xB0"};

//! The length of the root name text starts with; 0 when it starts with none.
std::size_t RootLength(std::string_view text) {
    for (const std::string_view root : kRoots) {
        if (text.starts_with(root)) {
            return root.size();
        }
    }
    return 0;
}

//! Whether the chart's text reads suffix as one: it may not start with a flat or a sharp, which would
//! belong to the root, and holds only the letters, digits and signs of chord spellings.
bool ScansAsSuffix(std::string_view suffix) {
    for (std::size_t i = 0; i < suffix.size();) {
        const std::string_view rest = suffix.substr(i);
        if (const auto sign = std::find_if(kSigns.begin(), kSigns.end(),
                                           [&](std::string_view s) { return rest.starts_with(s); });
            sign != kSigns.end()) {
            i += sign->size();
            continue;
        }
        const char c = suffix[i];
        const bool letter = (c >= 'a' && c <= 'z') || c == 'M';
        const bool sign =
            (c >= '0' && c <= '9') || std::string_view("+_-^(/").find(c) != std::string_view::npos;
        const bool later = i > 0 && (c == '#' || c == ')');
        if (!(letter || sign || later) || (i == 0 && c == 'b') ||
            (c == '/' && !(i > 0 && suffix[i - 1] == '6' && rest.starts_with("/9")))) {
            return false;
        }
        ++i;
    }
    return true;
}

}  // namespace

std::optional<ChordVoice> VoiceOfSuffix(std::string_view suffix) {
    ScoreTree score;
    Chord chord;
    if (AnalyzeChord(chord, "C" + std::string(suffix), score, ChordDefinitions()) != ChordAnalysis::Ok) {
        return std::nullopt;
    }
    return ChordVoice(chord.notes + 1, chord.notes + std::max<int>(chord.noteCount, 1));
}

bool PlaysAsChord(std::string_view symbol) {
    if (symbol == "N.C." || symbol == "NC") {
        return true;
    }
    const std::size_t root = RootLength(symbol);
    if (root == 0) {
        return false;
    }
    std::string_view suffix = symbol.substr(root);
    if (const std::size_t slash = suffix.rfind('/');
        slash != std::string_view::npos && !suffix.substr(slash).starts_with("/9")) {
        const std::string_view bass = suffix.substr(slash + 1);
        if (RootLength(bass) != bass.size() || bass.empty()) {
            return false;
        }
        suffix = suffix.substr(0, slash);
    }
    return ScansAsSuffix(suffix) && VoiceOfSuffix(suffix).has_value();
}

}  // namespace kaz
