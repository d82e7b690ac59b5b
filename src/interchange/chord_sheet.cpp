#include "interchange/chord_sheet.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

#include "base/text_lines.h"
#include "chart/capo.h"
#include "harmony/musical_key.h"
#include "interchange/chord_voice.h"
#include "interchange/section_name.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

//! The chords of a line and the columns they start in; empty unless every word of the line is a chord.
std::vector<std::pair<std::size_t, std::string_view>> ChordsOfLine(std::string_view line) {
    std::vector<std::pair<std::size_t, std::string_view>> chords;
    for (std::size_t start = line.find_first_not_of(" \t"); start != std::string_view::npos;
         start = line.find_first_not_of(" \t", start)) {
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        const std::string_view word = line.substr(start, end - start);
        if (!PlaysAsChord(word) && word != "N.C." && word != "NC") {
            return {};
        }
        chords.emplace_back(start, word);
        start = end;
    }
    return chords;
}

//! A label of a section: "[Verse 1]", "Chorus:", "Bridge".
bool IsLabel(std::string_view line) {
    line = Trimmed(line);
    if (line.starts_with('[') && line.ends_with(']')) {
        return ChartSectionName(line.substr(1, line.size() - 2)).has_value();
    }
    return SectionWordName(line).has_value();
}

//! A line of words to sing: no chords, no label, and nothing a chart's line has (a comment, a bar line, a
//! mark), so that a chart of chords without bar lines is never taken for a chord sheet.
bool IsWords(std::string_view line) {
    const std::string_view words = Trimmed(line);
    return !words.empty() && ChordsOfLine(line).empty() && !IsLabel(line) && !words.starts_with('#') &&
           !words.starts_with('[') && !words.starts_with('{') && words.find('|') == std::string_view::npos;
}

std::string_view LabelName(std::string_view line) {
    line = Trimmed(line);
    return line.starts_with('[') ? line.substr(1, line.size() - 2) : line;
}

//! A line of chords set into the words under it, each before the character in its column.
std::string ChordsInWords(const std::vector<std::pair<std::size_t, std::string_view>>& chords,
                          std::string_view words) {
    std::string line;
    std::size_t taken = 0;
    for (const auto& [column, chord] : chords) {
        if (column > taken) {
            const std::string_view part = column < words.size() ? words.substr(taken, column - taken)
                                                                : words.substr(std::min(taken, words.size()));
            line += part;
            line += std::string(column > words.size() ? 1 : 0, ' ');
            taken = column;
        }
        line += "[" + std::string(chord) + "]";
    }
    if (taken < words.size()) {
        line += words.substr(taken);
    }
    return line;
}

//! What follows word at the start of line, in any case, and a ":" or blanks after it; nothing when line does
//! not start with word.
std::optional<std::string_view> AfterWord(std::string_view line, std::string_view word) {
    line = Trimmed(line);
    if (line.size() <= word.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != word[i]) {
            return std::nullopt;
        }
    }
    const std::string_view rest = line.substr(word.size());
    if (rest.front() != ':' && rest.front() != ' ' && rest.front() != '\t') {
        return std::nullopt;
    }
    return Trimmed(rest.substr(rest.front() == ':' ? 1 : 0));
}

//! The fret a sheet's capo line names: "Capo 2", "Capo: 3", "Capo 2nd fret", "capo on 4".
std::optional<int> CapoOfLine(std::string_view line) {
    std::optional<std::string_view> rest = AfterWord(line, "capo");
    if (!rest) {
        return std::nullopt;
    }
    if (rest->starts_with("on ")) {
        rest = Trimmed(rest->substr(3));
    }
    int fret = 0;
    const auto [end, error] = std::from_chars(rest->data(), rest->data() + rest->size(), fret);
    std::string_view after = Trimmed(std::string_view(end, rest->data() + rest->size() - end));
    for (const std::string_view ordinal : {"st", "nd", "rd", "th"}) {
        if (after.starts_with(ordinal)) {
            after = Trimmed(after.substr(ordinal.size()));
        }
    }
    if (error != std::errc() || !(after.empty() || after == "fret") || !ReadCapoFret(std::to_string(fret))) {
        return std::nullopt;
    }
    return fret;
}

//! The key a sheet's key line names: "Key: G", "Key Em".
std::optional<std::string_view> KeyOfLine(std::string_view line) {
    const std::optional<std::string_view> key = AfterWord(line, "key");
    return key && ReadWrittenKey(*key) ? key : std::nullopt;
}

std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::string_view line = TakeLine(text);
        while (line.ends_with('\n') || line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

bool IsChordSheet(std::string_view text) {
    const std::vector<std::string_view> lines = LinesOf(text);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!ChordsOfLine(lines[i]).empty() && IsWords(lines[i + 1])) {
            return true;
        }
    }
    return false;
}

std::string ChordProOfSheet(std::string_view text) {
    const std::vector<std::string_view> lines = LinesOf(text);
    std::string song;
    bool titled = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const auto chords = ChordsOfLine(line);
        if (Trimmed(line).empty()) {
            continue;
        }
        if (!chords.empty()) {
            const bool wordsFollow = i + 1 < lines.size() && IsWords(lines[i + 1]);
            song += ChordsInWords(chords, wordsFollow ? lines[++i] : std::string_view()) + "\n";
        } else if (const std::optional<int> capo = CapoOfLine(line)) {
            song += "{capo: " + std::to_string(*capo) + "}\n";
        } else if (const std::optional<std::string_view> key = KeyOfLine(line)) {
            song += "{key: " + std::string(*key) + "}\n";
        } else if (IsLabel(line)) {
            song += "{start_of_verse: " + OneLine(LabelName(line)) + "}\n";
        } else if (!titled && song.empty()) {
            song += "{title: " + OneLine(line) + "}\n";
        } else {
            song += std::string(line) + "\n";
        }
        titled = true;
    }
    return song;
}

}  // namespace kaz
