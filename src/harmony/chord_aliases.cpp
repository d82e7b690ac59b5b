#include "harmony/chord_aliases.h"

#include <cstddef>

namespace kaz {

namespace {

// Voices in the register of the built-in ones: the root key, then the chord tones within two octaves above
// it, tensions on top. A lowered thirteenth keeps the fifth, a raised fifth replaces it.
constexpr ChordAlias kChordAliases[] = {
    {"2", {0, 14, 16, 19}, 4},
    {"add9", {0, 14, 16, 19}, 4},
    {"madd9", {0, 14, 15, 19}, 4},
    {"69", {0, 14, 16, 21}, 4},
    {"m69", {0, 14, 15, 21}, 4},
    {"mb6", {0, 8, 15, 19}, 4},
    {"m7b5", {0, 10, 15, 18}, 4},
    {"m9", {0, 10, 15, 19, 26}, 5},
    {"m9b5", {0, 10, 15, 18, 26}, 5},
    {"m11", {0, 10, 15, 17, 26}, 5},
    {"mmaj9", {0, 11, 15, 19, 26}, 5},
    {"maj9", {0, 11, 16, 19, 26}, 5},
    {"maj7#5", {0, 11, 16, 20}, 4},
    {"maj7#11", {0, 7, 11, 16, 18}, 5},
    {"maj9#11", {0, 11, 16, 18, 26}, 5},
    {"7b5", {0, 10, 16, 18}, 4},
    {"7#5", {0, 10, 16, 20}, 4},
    {"7b9", {0, 10, 13, 16, 19}, 5},
    {"7#9", {0, 10, 16, 27}, 4},
    {"7#11", {0, 7, 10, 16, 18}, 5},
    {"7b13", {0, 7, 10, 16, 20}, 5},
    {"7b5b9", {0, 10, 13, 16, 18}, 5},
    {"7b5#9", {0, 10, 16, 18, 27}, 5},
    {"7#5b9", {0, 10, 13, 16, 20}, 5},
    {"7#5#9", {0, 10, 16, 20, 27}, 5},
    {"7b9#11", {0, 7, 10, 13, 16, 18}, 6},
    {"7#9#11", {0, 7, 10, 16, 18, 27}, 6},
    {"7b9b13", {0, 7, 10, 13, 16, 20}, 6},
    {"7#9b13", {0, 7, 10, 16, 20, 27}, 6},
    {"9b5", {0, 10, 14, 16, 18}, 5},
    {"9#5", {0, 10, 14, 16, 20}, 5},
    {"9#11", {0, 7, 10, 14, 16, 18}, 6},
    {"9b13", {0, 7, 10, 14, 16, 20}, 6},
    {"13b9", {0, 10, 13, 16, 21}, 5},
    {"13#9", {0, 10, 16, 21, 27}, 5},
    {"13#11", {0, 10, 16, 18, 21}, 5},
    // The altered dominant: third, seventh, raised fifth and raised ninth.
    {"7alt", {0, 10, 16, 20, 27}, 5},
    {"9sus4", {0, 10, 14, 17}, 4},
    {"13sus4", {0, 10, 14, 17, 21}, 5},
    {"7b9sus4", {0, 10, 13, 17}, 4},
    // The rest of the qualities iReal Pro links write.
    {"m#5", {0, 12, 15, 20}, 4},
    {"7b9#9", {0, 10, 13, 16, 19, 27}, 6},
    {"7b13sus4", {0, 7, 10, 17, 20}, 5},
    {"7sus4add3", {0, 7, 10, 16, 17}, 5},
    {"dimmaj7", {0, 11, 15, 18}, 4},
    {"maj7#9", {0, 11, 16, 19, 27}, 5},
};

// Longest first where one word begins another. A major word may also follow a minor, an augmented or a
// diminished one ("m(maj7)", "+Δ", "o^7").
constexpr SpellingWord kQualityWords[] = {
    {"maj", "maj"},    {"Maj", "maj"},       {"ma", "maj"},        {"M", "maj"},    {"\u0394", "maj"},
    {"\u2206", "maj"}, {"^", "maj"},         {"min", "m"},         {"mi", "m"},     {"m", "m"},
    {"-", "m"},        {"\u00f8", "\u00f8"}, {"\u00d8", "\u00f8"}, {"h", "\u00f8"}, {"dim", "dim"},
    {"o", "dim"},      {"\u00b0", "dim"},    {"aug", "+"},         {"+", "+"},
};

constexpr SpellingWord kNumbers[] = {
    {"6/9", "69"}, {"69", "69"}, {"13", "13"}, {"11", "11"}, {"9", "9"},
    {"7", "7"},    {"6", "6"},   {"5", "5"},   {"2", "2"},
};

// The alterations in the order of their degrees, which is the order of the written form.
constexpr std::string_view kAlterations[] = {"b5", "#5", "b6", "b9", "#9", "#11", "b13"};

constexpr SpellingWord kModifierWords[] = {
    {"b5", "b5"},    {"-5", "b5"},     {"#5", "#5"},     {"+5", "#5"},     {"b6", "b6"},
    {"b9", "b9"},    {"-9", "b9"},     {"#9", "#9"},     {"+9", "#9"},     {"#11", "#11"},
    {"+11", "#11"},  {"b13", "b13"},   {"-13", "b13"},   {"sus4", "sus4"}, {"sus2", "sus2"},
    {"sus", "sus4"}, {"add9", "add9"}, {"add2", "add9"}, {"alt", "alt"},   {"add3", "add3"},
};

//! The word of words that rest starts with, taken off rest; nullptr when none.
template <std::size_t N>
const SpellingWord* TakeWord(std::string_view& rest, const SpellingWord (&words)[N]) {
    for (const SpellingWord& word : words) {
        if (rest.starts_with(word.written)) {
            rest.remove_prefix(word.written.size());
            return &word;
        }
    }
    return nullptr;
}

//! suffix without its parentheses, when each one opened is closed before the next opens.
std::optional<std::string> WithoutParentheses(std::string_view suffix) {
    std::string bare;
    bool open = false;
    for (const char c : suffix) {
        if (c == '(' || c == ')') {
            if (open == (c == '(')) {
                return std::nullopt;
            }
            open = c == '(';
        } else {
            bare += c;
        }
    }
    if (open) {
        return std::nullopt;
    }
    return bare;
}

//! The parts of an everyday suffix as they are read.
struct Reading {
    std::string_view quality;  // "", "maj", "m", "ø", "dim", "+"
    bool majorAfter = false;   // a major word after a minor or augmented one
    std::string_view number;
    unsigned alterations = 0;  // bit i: kAlterations[i]
    std::string_view sus;
    std::string_view add;
    bool altered = false;
};

bool AddModifier(Reading& reading, std::string_view word) {
    for (std::size_t i = 0; i < std::size(kAlterations); ++i) {
        if (kAlterations[i] == word) {
            const unsigned bit = 1u << i;
            const bool twice = (reading.alterations & bit) != 0;
            reading.alterations |= bit;
            return !twice;
        }
    }
    if (word == "alt") {
        const bool twice = reading.altered;
        reading.altered = true;
        return !twice;
    }
    std::string_view& slot = word.starts_with("sus") ? reading.sus : reading.add;
    const bool twice = !slot.empty();
    slot = word;
    return !twice;
}

//! The rest of a suffix after its quality: a major word after a minor, augmented or diminished one, the
//! number, the modifiers.
std::optional<Reading> ReadAfterQuality(Reading reading, std::string_view rest) {
    if (reading.quality == "m" || reading.quality == "+" || reading.quality == "dim") {
        const SpellingWord* major = TakeWord(rest, kQualityWords);
        if (major != nullptr && major->reads != "maj") {
            return std::nullopt;
        }
        reading.majorAfter = major != nullptr;
    }
    if (const SpellingWord* number = TakeWord(rest, kNumbers)) {
        reading.number = number->reads;
    }
    while (!rest.empty()) {
        const SpellingWord* modifier = TakeWord(rest, kModifierWords);
        if (modifier == nullptr || !AddModifier(reading, modifier->reads)) {
            return std::nullopt;
        }
    }
    return reading;
}

//! Every quality word the suffix may start with is tried in turn ("madd9" is "m" and "add9", not "ma").
std::optional<Reading> Read(std::string_view suffix) {
    for (const SpellingWord& quality : kQualityWords) {
        if (suffix.starts_with(quality.written)) {
            Reading reading;
            reading.quality = quality.reads;
            if (std::optional<Reading> read =
                    ReadAfterQuality(reading, suffix.substr(quality.written.size()))) {
                return read;
            }
        }
    }
    return ReadAfterQuality(Reading{}, suffix);
}

//! The quality and number as written in the written form; false for a number the quality does not take.
bool WriteQuality(Reading& reading, std::string& written) {
    const auto seventhUnlessGiven = [&reading] {
        if (reading.number.empty()) {
            reading.number = "7";
        }
    };
    if (reading.altered) {
        if (!reading.number.empty() && reading.number != "7") {
            return false;
        }
        reading.number = "7";
    }
    if (reading.quality == "maj" || reading.majorAfter) {
        written = reading.quality == "m" ? "mmaj" : reading.quality == "dim" ? "dimmaj" : "maj";
        if (reading.quality == "+") {
            reading.alterations |= 1u << 1;
        }
        seventhUnlessGiven();
    } else if (reading.quality == "\u00f8") {
        if (!reading.number.empty() && reading.number != "7" && reading.number != "9") {
            return false;
        }
        written = "m";
        reading.alterations |= 1u;
        seventhUnlessGiven();
    } else if (reading.quality == "+") {
        // A plain "+" is the built-in augmented triad; with a number it raises that chord's fifth.
        if (reading.number.empty()) {
            written = "+";
        } else {
            reading.alterations |= 1u << 1;
        }
    } else {
        written = reading.quality;
    }
    written += reading.number;
    return true;
}

}  // namespace

std::span<const ChordAlias> ChordAliases() {
    return kChordAliases;
}

std::span<const SpellingWord> QualityWords() {
    return kQualityWords;
}

std::span<const SpellingWord> ModifierWords() {
    return kModifierWords;
}

std::optional<std::string> WrittenForm(std::string_view suffix) {
    const std::optional<std::string> bare = WithoutParentheses(suffix);
    if (!bare) {
        return std::nullopt;
    }
    std::optional<Reading> reading = Read(*bare);
    std::string written;
    if (!reading || !WriteQuality(*reading, written)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < std::size(kAlterations); ++i) {
        if ((reading->alterations & (1u << i)) != 0) {
            written += kAlterations[i];
        }
    }
    written += reading->sus;
    written += reading->add;
    if (reading->altered) {
        written += "alt";
    }
    return written;
}

const ChordAlias* FindChordAlias(std::string_view writtenForm) {
    for (const ChordAlias& alias : kChordAliases) {
        if (alias.spelling == writtenForm) {
            return &alias;
        }
    }
    return nullptr;
}

}  // namespace kaz
