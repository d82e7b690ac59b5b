#include "chart/instrument.h"

#include <algorithm>
#include <cctype>

#include "chart/chord_display.h"
#include "harmony/transposition.h"

namespace kaz {

namespace {

constexpr int kMinorToRelativeMajor = 3;
constexpr int kBFlatShift = 2;  // a major second
constexpr int kEFlatShift = 9;  // a major sixth
constexpr int kFShift = 7;      // a perfect fifth

//! The major keys whose signature has flats, by tonic: F, B♭, E♭, A♭, D♭, G♭; the others but C have sharps.
constexpr std::array<bool, 12> kFlatMajorKey{false, true,  false, true,  false, true,
                                             true,  false, true,  false, true,  false};

//! The key names in the chart's comment line and the Key list.
constexpr std::array<std::string_view, 12> kKeyNames{"C",  "Db", "D",  "Eb", "E",  "F",
                                                     "Gb", "G",  "Ab", "A",  "Bb", "B"};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

//! The line of text that starts at offset start, without its line break.
std::string_view LineAt(std::string_view text, std::size_t start) {
    const std::size_t end = text.find_first_of("\r\n", start);
    return text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
}

//! Where the instrument's comment line starts; npos without one.
std::size_t InstrumentLineStart(std::string_view text) {
    for (std::size_t start = 0; start <= text.size();) {
        if (LineAt(text, start).starts_with(kInstrumentLinePrefix)) {
            return start;
        }
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return std::string_view::npos;
}

std::string_view LineBreakOf(std::string_view text) {
    return text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

}  // namespace

int WrittenShift(const Instrument& instrument, MusicalKey concertKey) {
    switch (instrument.kind) {
        case Instrument::Kind::BFlat:
            return kBFlatShift;
        case Instrument::Kind::EFlat:
            return kEFlatShift;
        case Instrument::Kind::F:
            return kFShift;
        case Instrument::Kind::Key:
            return MovedPitchClass(instrument.keyTonic - concertKey.tonic, 0);
        case Instrument::Kind::Concert:
            break;
    }
    return 0;
}

std::array<std::string, 12> KeySpellings(MusicalKey key, NotationMode resolved) {
    const int major = key.minor ? MovedPitchClass(key.tonic, kMinorToRelativeMajor) : key.tonic;
    NoteNameTables tables;
    tables.FollowNotation(resolved);
    // A flat key writes every black key flat, a sharp key sharp; C major keeps the usual choice.
    for (int pitch = 0; pitch < kPitchClassCount; ++pitch) {
        if (major != 0 && !tables.flatNames[pitch].empty()) {
            tables.spellingChoice[pitch] = kFlatMajorKey[major] ? Spelling::Flat : Spelling::Sharp;
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

std::string InstrumentCode(const Instrument& instrument) {
    switch (instrument.kind) {
        case Instrument::Kind::BFlat:
            return "Bb";
        case Instrument::Kind::EFlat:
            return "Eb";
        case Instrument::Kind::F:
            return "F";
        case Instrument::Kind::Key:
            return "key " + std::string(kKeyNames[instrument.keyTonic]);
        case Instrument::Kind::Concert:
            break;
    }
    return "concert";
}

std::optional<Instrument> InstrumentFromCode(std::string_view code) {
    if (EqualsIgnoringCase(code, "concert")) {
        return Instrument{};
    }
    if (code == "Bb") {
        return Instrument{Instrument::Kind::BFlat};
    }
    if (code == "Eb") {
        return Instrument{Instrument::Kind::EFlat};
    }
    if (code == "F") {
        return Instrument{Instrument::Kind::F};
    }
    constexpr std::string_view kKeyWord = "key ";
    if (code.size() > kKeyWord.size() && EqualsIgnoringCase(code.substr(0, kKeyWord.size()), kKeyWord)) {
        const std::string_view name = code.substr(kKeyWord.size());
        const auto found = std::find(kKeyNames.begin(), kKeyNames.end(), name);
        if (found != kKeyNames.end()) {
            return Instrument{Instrument::Kind::Key, static_cast<int>(found - kKeyNames.begin())};
        }
    }
    return std::nullopt;
}

std::string InstrumentTitle(const Instrument& instrument) {
    switch (instrument.kind) {
        case Instrument::Kind::BFlat:
            return "B\u266D instrument";
        case Instrument::Kind::EFlat:
            return "E\u266D instrument";
        case Instrument::Kind::F:
            return "F instrument";
        case Instrument::Kind::Key:
            return "Key of " + DisplayNoteName(kKeyNames[instrument.keyTonic]);
        case Instrument::Kind::Concert:
            break;
    }
    return "Concert";
}

Instrument InstrumentOfChart(std::string_view text) {
    const std::size_t start = InstrumentLineStart(text);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::string_view code = LineAt(text, start).substr(kInstrumentLinePrefix.size());
    return InstrumentFromCode(code).value_or(Instrument{});
}

std::optional<TextChange> InstrumentLineChange(std::string_view text, const Instrument& instrument) {
    const std::size_t start = InstrumentLineStart(text);
    const bool concert = instrument.kind == Instrument::Kind::Concert;
    const std::string line = std::string(kInstrumentLinePrefix) + InstrumentCode(instrument);
    const std::string_view lineBreak = LineBreakOf(text);
    if (start == std::string_view::npos) {
        if (concert) {
            return std::nullopt;
        }
        // After a last line without a break the new line comes after one, and itself ends without one.
        const bool brokenOff = text.empty() || text.ends_with('\n');
        return TextChange{text.size(), text.size(),
                          brokenOff ? line + std::string(lineBreak) : std::string(lineBreak) + line};
    }
    const std::size_t end = start + LineAt(text, start).size();
    if (!concert) {
        if (text.substr(start, end - start) == line) {
            return std::nullopt;
        }
        return TextChange{start, end, line};
    }
    if (end < text.size()) {
        const std::size_t breakLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        return TextChange{start, end + breakLength, {}};
    }
    // The last line, without a break after it, goes with the break before it.
    std::size_t before = start;
    if (before > 0 && text[before - 1] == '\n') {
        --before;
        if (before > 0 && text[before - 1] == '\r') {
            --before;
        }
    }
    return TextChange{before, end, {}};
}

}  // namespace kaz
