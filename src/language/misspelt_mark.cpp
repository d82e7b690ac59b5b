#include "language/misspelt_mark.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "base/language_messages.h"

namespace kaz {

namespace {

//! A mark with a value, as the chart writes it, and an example for a bracket that gives no value.
struct MarkWord {
    std::string_view keyword;
    std::string_view example;
};

constexpr MarkWord kTempo{"TEMPO", "120"};
constexpr MarkWord kStyle{"STYLE", "Medium swing"};
constexpr MarkWord kKey{"KEY", "Eb"};
constexpr MarkWord kChord{"CHORD", "name = 0 4 7"};

//! Words musicians write for those marks: the marks' own in any case, and the usual other names.
struct Alias {
    std::string_view word;  // upper case
    const MarkWord* mark;
};
constexpr std::array<Alias, 11> kAliases{{{"TEMPO", &kTempo},
                                          {"BPM", &kTempo},
                                          {"SPEED", &kTempo},
                                          {"STYLE", &kStyle},
                                          {"STIL", &kStyle},
                                          {"GROOVE", &kStyle},
                                          {"KEY", &kKey},
                                          {"TONART", &kKey},
                                          {"CHORD", &kChord},
                                          {"AKKORD", &kChord},
                                          {"DEFINE", &kChord}}};

std::string Upper(std::string_view word) {
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return upper;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

//! Whether a and b differ by at most one letter left out, added, changed, or two neighbours swapped.
bool OneSlipApart(std::string_view a, std::string_view b) {
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    if (b.size() - a.size() > 1) {
        return false;
    }
    std::size_t i = 0;
    while (i < a.size() && a[i] == b[i]) {
        ++i;
    }
    if (a.size() == b.size()) {
        const bool swapped = i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i];
        const std::size_t rest = swapped ? i + 2 : i + 1;
        return i == a.size() || a.substr(rest) == b.substr(rest);
    }
    return a.substr(i) == b.substr(i + 1);
}

//! The mark a bracket's word names, written right or with a slip; none for a word no mark is near.
const MarkWord* MarkOf(std::string_view word) {
    const std::string upper = Upper(word);
    for (const Alias& alias : kAliases) {
        if (upper == alias.word) {
            return alias.mark;
        }
    }
    // A shortened or mistyped keyword: "TEMP", "TMEPO", "STYL"; three letters at least, so that a short
    // word is not taken for one.
    for (const Alias& alias : kAliases) {
        const std::string_view keyword = alias.mark->keyword;
        if (alias.word == keyword && upper.size() >= 3 &&
            ((keyword.starts_with(upper) && keyword.size() - upper.size() <= 2) ||
             (upper.size() >= 4 && OneSlipApart(upper, keyword)))) {
            return alias.mark;
        }
    }
    return nullptr;
}

//! The mark as it should be written, from a bracket's insides (without the brackets); none when they do not
//! read as a mark, or are written right and wrong elsewhere.
std::optional<std::string> RightSpelling(std::string_view inside) {
    inside = Trimmed(inside);
    std::size_t wordEnd = 0;
    while (wordEnd < inside.size() && std::isalpha(static_cast<unsigned char>(inside[wordEnd])) != 0) {
        ++wordEnd;
    }
    const std::string_view word = inside.substr(0, wordEnd);
    const MarkWord* mark = MarkOf(word);
    if (mark == nullptr) {
        return std::nullopt;
    }
    std::string_view value = Trimmed(inside.substr(wordEnd));
    const bool equals = value.starts_with('=');
    if (equals || value.starts_with(':')) {
        value = Trimmed(value.substr(1));
    }
    const bool definition = mark == &kChord;
    // A keyword written right, with its "=" where it belongs, is a mark with a wrong value or in a wrong
    // place.
    if (word == mark->keyword && (definition || equals)) {
        return std::nullopt;
    }
    const bool tempoValue = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.';
    });
    if (value.empty() || (mark == &kTempo && !tempoValue)) {
        value = mark->example;
    }
    return "[" + std::string(mark->keyword) + (definition ? " " : "=") + std::string(value) + "]";
}

}  // namespace

bool ReportMisspeltMark(CompileContext& context) {
    const std::string_view text = context.sourceText;
    const auto at = static_cast<std::size_t>(context.tokenStart);
    const std::size_t lineStart = at == 0 ? 0 : text.rfind('\n', at - 1) + 1;
    const std::size_t open = text.rfind('[', at);
    // The error must lie inside a bracket of this line that is still open where it lies.
    if (open == std::string_view::npos || open < lineStart || open == at ||
        text.substr(open, at - open).find(']') != std::string_view::npos) {
        return false;
    }
    const std::size_t lineEnd = std::min(text.find_first_of("\r\n", at), text.size());
    const std::size_t close = text.substr(0, lineEnd).find(']', at);
    const std::size_t end = close == std::string_view::npos ? lineEnd : close + 1;
    const std::string_view written = text.substr(open, end - open);
    const std::size_t insideEnd = close == std::string_view::npos ? end : close;
    const std::optional<std::string> right = RightSpelling(text.substr(open + 1, insideEnd - open - 1));
    if (!right || *right == written) {
        return false;
    }
    ReportError(context, Message(messages::kMisspeltMark, {*right}), written,
                LineAt(text, static_cast<int>(open)), static_cast<int>(open), static_cast<int>(end));
    return true;
}

}  // namespace kaz
