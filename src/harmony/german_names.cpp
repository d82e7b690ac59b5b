#include "harmony/german_names.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kaz {

namespace {

// Longest first where one name begins another ("Ais" before "As").
constexpr GermanNoteName kGermanNoteNames[] = {
    {"Cis", "C#"}, {"Ces", "Cb"}, {"Dis", "D#"}, {"Des", "Db"}, {"Eis", "E#"}, {"Es", "Eb"},  {"Fis", "F#"},
    {"Fes", "Fb"}, {"Gis", "G#"}, {"Ges", "Gb"}, {"Ais", "A#"}, {"As", "Ab"},  {"His", "B#"},
};

char Upper(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

bool IsLetter(char c, char low, char high) {
    return c >= low && c <= high;
}

//! The words a key's quality is written with after its note; true for minor.
struct KeyWord {
    std::string_view word;
    bool minor;
};
constexpr KeyWord kKeyWords[] = {{"Dur", false}, {"dur", false}, {"Moll", true}, {"moll", true}};

std::optional<KeyWord> KeyWordAt(std::string_view text) {
    for (const KeyWord& word : kKeyWords) {
        if (text.starts_with(word.word)) {
            return word;
        }
    }
    return std::nullopt;
}

//! The chord a key names: its note with a capital, "m" for minor.
std::string ChordOfKey(std::string_view note, bool minor) {
    std::string chord(note);
    chord[0] = Upper(chord[0]);
    return minor ? chord + "m" : chord;
}

//! "D", "fis", "Es" written just before end; its start, or npos.
std::size_t NoteEndingAt(std::string_view text, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && end - start < 3 && std::isalpha(static_cast<unsigned char>(text[start - 1]))) {
        --start;
    }
    while (start < end) {
        const std::optional<WrittenNoteName> note =
            ReadWrittenNoteName(text.substr(start, end - start), true);
        if (note && note->length == end - start) {
            return start;
        }
        ++start;
    }
    return std::string_view::npos;
}

}  // namespace

std::span<const GermanNoteName> GermanNoteNames() {
    return kGermanNoteNames;
}

std::optional<WrittenNoteName> ReadWrittenNoteName(std::string_view text, bool lowercaseAllowed) {
    if (text.empty()) {
        return std::nullopt;
    }
    const bool lowercase = IsLetter(text[0], 'a', 'h');
    if (!IsLetter(text[0], 'A', 'H') && !(lowercaseAllowed && lowercase)) {
        return std::nullopt;
    }
    const char letter = Upper(text[0]);
    for (const GermanNoteName& name : kGermanNoteNames) {
        if (name.german[0] == letter && text.size() >= name.german.size() &&
            text.substr(1, name.german.size() - 1) == name.german.substr(1)) {
            return WrittenNoteName{std::string(name.english), name.german.size(), true, lowercase};
        }
    }
    WrittenNoteName written{std::string(1, letter), 1, false, lowercase};
    if (text.size() > 1 && letter != 'H' && (text[1] == '#' || text[1] == 'b')) {
        written.english += text[1];
        written.length = 2;
    }
    return written;
}

std::string GermanForm(std::string_view englishName) {
    for (const GermanNoteName& name : kGermanNoteNames) {
        if (name.english == englishName) {
            return std::string(name.german);
        }
    }
    return std::string(englishName);
}

std::optional<KeyInPlaceOfChord> KeyWrittenAsChord(std::string_view text, std::size_t start,
                                                   std::size_t end) {
    const std::string_view symbol = text.substr(start, end - start);
    // The word itself, after a note and a dash: "D-" "Dur".
    if (const std::optional<KeyWord> word = KeyWordAt(symbol); word && word->word.size() == symbol.size()) {
        if (start < 2 || text[start - 1] != '-') {
            return std::nullopt;
        }
        const std::size_t note = NoteEndingAt(text, start - 1);
        if (note == std::string_view::npos) {
            return std::nullopt;
        }
        return KeyInPlaceOfChord{note, end, ChordOfKey(text.substr(note, start - 1 - note), word->minor)};
    }
    const std::optional<WrittenNoteName> note = ReadWrittenNoteName(symbol, true);
    if (!note) {
        return std::nullopt;
    }
    std::string_view rest = symbol.substr(note->length);
    if (rest.starts_with('-')) {
        rest.remove_prefix(1);
    }
    // The word in the symbol ("D-moll"), or after it when the symbol ends with the dash ("fis-" "Moll").
    std::optional<KeyWord> word = KeyWordAt(rest);
    std::size_t keyEnd = end;
    if (rest.empty() && symbol.ends_with('-')) {
        word = KeyWordAt(text.substr(end));
        keyEnd = word ? end + word->word.size() : end;
    } else if (word && word->word.size() != rest.size()) {
        word.reset();
    }
    if (!word) {
        return std::nullopt;
    }
    return KeyInPlaceOfChord{start, keyEnd, ChordOfKey(symbol.substr(0, note->length), word->minor)};
}

}  // namespace kaz
