#include "chart/instrument.h"

#include <algorithm>
#include <cctype>

#include "chart/chord_display.h"
#include "harmony/transposition.h"

namespace kaz {

namespace {

constexpr int kBFlatShift = 2;  // a major second
constexpr int kEFlatShift = 9;  // a major sixth
constexpr int kFShift = 7;      // a perfect fifth

//! The key names in the chart's comment line and the Key list.
constexpr std::array<std::string_view, 12> kKeyNames{"C",  "Db", "D",  "Eb", "E",  "F",
                                                     "Gb", "G",  "Ab", "A",  "Bb", "B"};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
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

std::string_view InstrumentKeyName(const Instrument& instrument) {
    return instrument.kind == Instrument::Kind::Key ? kKeyNames[static_cast<std::size_t>(instrument.keyTonic)]
                                                    : kKeyNames[0];
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
            return "Key of " + DisplayNoteName(InstrumentKeyName(instrument));
        case Instrument::Kind::Concert:
            break;
    }
    return "Concert";
}

Instrument InstrumentOfChart(std::string_view text) {
    const std::optional<std::string_view> code = CommentLineValue(text, kInstrumentLinePrefix);
    return code ? InstrumentFromCode(*code).value_or(Instrument{}) : Instrument{};
}

std::optional<TextChange> InstrumentLineChange(std::string_view text, const Instrument& instrument) {
    const bool concert = instrument.kind == Instrument::Kind::Concert;
    return CommentLineChange(text, kInstrumentLinePrefix,
                             concert ? std::nullopt : std::optional(InstrumentCode(instrument)));
}

}  // namespace kaz
