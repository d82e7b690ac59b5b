#include "chart/chord_display.h"

#include <array>
#include <cctype>
#include <tuple>
#include <utility>

namespace kaz {

namespace {

constexpr std::string_view kFlatSign = "\u266D";
constexpr std::string_view kSharpSign = "\u266F";

//! A suffix's opening that a lead sheet writes as a quality sign, and what is left of it raised. Matched
//! in this order, so the longer forms come first.
struct QualityForm {
    std::string_view written;
    std::string_view quality;
    std::string_view extension;
    bool whole = false;  //!< only the whole suffix: "o" would otherwise open a name of the user's own
};
constexpr std::array kQualityForms{
    QualityForm{"mmaj7", "m", "\u03947"},  QualityForm{"m+7", "m", "\u03947"},
    QualityForm{"m7-5", "\u00F8", "7"},    QualityForm{"maj", "\u0394", ""},
    QualityForm{"dim7", "\u00B0", "7"},    QualityForm{"dim", "\u00B0", ""},
    QualityForm{"aug", "+", ""},           QualityForm{"o", "\u00B0", "7", true},
    QualityForm{"0", "\u00B0", "7", true}, QualityForm{"+", "+", "", true},
    QualityForm{"-", "m", "7", true},      QualityForm{"m", "m", ""},
};

//! The alterations of the rest of a suffix as signs: "-9" as "♭9", "+11" as "♯11"; "6add9" as "6/9".
std::string RaisedPart(std::string_view rest) {
    if (rest == "6add9") {
        return "6/9";
    }
    std::string raised;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        // A lowered seventh is the plain seventh, a raised one the major seventh.
        if (rest.substr(i, 2) == "-7" || rest.substr(i, 2) == "+7") {
            raised += rest[i] == '-' ? "7" : "\u03947";
            ++i;
            continue;
        }
        const bool beforeDigit = i + 1 < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i + 1]));
        if (beforeDigit && (rest[i] == '-' || rest[i] == 'b')) {
            raised += kFlatSign;
        } else if (beforeDigit && (rest[i] == '+' || rest[i] == '#')) {
            raised += kSharpSign;
        } else {
            raised += rest[i];
        }
    }
    return raised;
}

std::pair<std::string, std::string> SplitNoteName(std::string_view name) {
    if (name.size() < 2) {
        return {std::string(name), {}};
    }
    const std::string_view sign = name[1] == 'b' ? kFlatSign : name[1] == '#' ? kSharpSign : "";
    if (sign.empty()) {
        return {std::string(name), {}};
    }
    return {std::string(name.substr(0, 1)), std::string(sign)};
}

}  // namespace

std::string ChordDisplay::Text() const {
    std::string text = root + accidental + quality + extension;
    if (!bass.empty()) {
        text += '/';
        text += bass;
    }
    return text;
}

std::string DisplayNoteName(std::string_view name) {
    auto [letter, sign] = SplitNoteName(name);
    return letter + sign;
}

ChordDisplay DisplayChord(std::string_view rootName, std::string_view suffix, std::string_view bassName) {
    ChordDisplay shown;
    std::tie(shown.root, shown.accidental) = SplitNoteName(rootName);
    shown.bass = DisplayNoteName(bassName);
    for (const QualityForm& form : kQualityForms) {
        if (form.whole ? suffix == form.written : suffix.starts_with(form.written)) {
            shown.quality = form.quality;
            shown.extension = std::string(form.extension) + RaisedPart(suffix.substr(form.written.size()));
            return shown;
        }
    }
    shown.extension = RaisedPart(suffix);
    // Right after the root a raised sign would read as the root's own accidental.
    if (shown.extension.starts_with(kFlatSign) || shown.extension.starts_with(kSharpSign)) {
        shown.extension = "(" + shown.extension + ")";
    }
    return shown;
}

}  // namespace kaz
