#include "interchange/section_name.h"

#include <array>
#include <cctype>

#include "interchange/text_fields.h"
#include "language/chart_line_scanner.h"

namespace kaz {

namespace {

constexpr std::array<std::string_view, 11> kSectionWords = {"Intro",  "Verse",     "Pre-Chorus", "Chorus",
                                                            "Bridge", "Interlude", "Solo",       "Outro",
                                                            "Tag",    "Vamp",      "Refrain"};

//! The longest name the program takes from a file as a section's name.
constexpr std::size_t kLongestSectionName = 60;

//! Whether the chart's own language reads "[name]" as the mark of a section, and as nothing else.
bool ReadsAsSection(std::string_view name) {
    if (name.empty() || name.size() > kLongestSectionName || name.find('\n') != std::string_view::npos) {
        return false;
    }
    const std::string bracket = "[" + std::string(name) + "]";
    const ScannedChartLine line = ChartLineScanner().Scan(bracket, ChartLineState::Chords);
    return line.tokens.size() == 1 && line.tokens.front().kind == ChartTokenKind::Section &&
           line.tokens.front().length == static_cast<int>(bracket.size());
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

//! The word in lower case with its hyphens and spaces left out, for comparing names.
std::string Folded(std::string_view word) {
    std::string folded;
    for (const char c : word) {
        if (c != '-' && c != ' ') {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return folded;
}

//! The name without the colons and full stops a label ends in ("Verse 2:").
std::string_view WithoutClosingSigns(std::string_view name) {
    name = Trimmed(name);
    while (!name.empty() && (name.back() == ':' || name.back() == '.')) {
        name.remove_suffix(1);
    }
    return name;
}

}  // namespace

std::optional<std::string> ChartSectionName(std::string_view name) {
    if (std::optional<std::string> word = SectionWordName(name)) {
        return word;
    }
    name = WithoutClosingSigns(name);
    if (ReadsAsSection(name)) {
        return std::string(name);
    }
    return std::nullopt;
}

std::optional<std::string> SectionWordName(std::string_view name) {
    name = WithoutClosingSigns(name);
    std::size_t digits = name.size();
    while (digits > 0 && IsDigit(name[digits - 1])) {
        --digits;
    }
    const std::string_view number = name.substr(digits);
    std::string_view word = Trimmed(name.substr(0, digits));
    if (number.size() > 3) {
        return std::nullopt;
    }
    if (word.size() == 1 && std::isalpha(static_cast<unsigned char>(word[0])) != 0 && word.size() == digits) {
        return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])))) +
               std::string(number);
    }
    for (const std::string_view section : kSectionWords) {
        if (!word.empty() && Folded(word) == Folded(section)) {
            return std::string(section) + (number.empty() ? "" : " " + std::string(number));
        }
    }
    return std::nullopt;
}

}  // namespace kaz
