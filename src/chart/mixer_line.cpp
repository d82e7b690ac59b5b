#include "chart/mixer_line.h"

#include <array>
#include <charconv>
#include <utility>

namespace kaz {

namespace {

constexpr std::array<std::pair<MinusOne, std::string_view>, 3> kMinusOneNames{{
    {MinusOne::Bass, "bass"},
    {MinusOne::Piano, "piano"},
    {MinusOne::Guitar, "guitar"},
}};

std::optional<int> Number(std::string_view word) {
    int number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (error != std::errc() || end != word.data() + word.size() || number < 0 || number > 127) {
        return std::nullopt;
    }
    return number;
}

//! The next word of text, taken from its front; empty at its end.
std::string_view TakeWord(std::string_view& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(first);
    const auto end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

void ReadEntry(std::string_view entry, BandParts& parts) {
    const std::string_view id = TakeWord(entry);
    if (id == "minus-one") {
        const std::string_view who = TakeWord(entry);
        for (const auto& [choice, name] : kMinusOneNames) {
            if (who == name) {
                parts.minusOne = choice;
            }
        }
        return;
    }
    if (PartDefaultsOf(id) == nullptr) {
        return;
    }
    Part& part = parts[id];
    for (std::string_view word = TakeWord(entry); !word.empty(); word = TakeWord(entry)) {
        if (word == "mute") {
            part.muted = true;
        } else if (word == "solo") {
            part.solo = true;
        } else if (word == "pan") {
            if (const auto pan = Number(TakeWord(entry))) {
                part.pan = static_cast<std::uint8_t>(*pan);
            }
        } else if (const auto volume = Number(word)) {
            part.volume = static_cast<std::uint8_t>(*volume);
        }
    }
}

}  // namespace

std::string MixerCode(const BandParts& parts) {
    std::string code;
    const auto add = [&code](const std::string& entry) { code += code.empty() ? entry : ", " + entry; };
    for (const Part& part : parts.All()) {
        std::string entry = part.id;
        if (part.volume) {
            entry += " " + std::to_string(*part.volume);
        }
        if (part.pan) {
            entry += " pan " + std::to_string(*part.pan);
        }
        if (part.muted) {
            entry += " mute";
        }
        if (part.solo) {
            entry += " solo";
        }
        if (entry != part.id) {
            add(entry);
        }
    }
    for (const auto& [choice, name] : kMinusOneNames) {
        if (parts.minusOne == choice) {
            add("minus-one " + std::string(name));
        }
    }
    return code;
}

void ReadMixerCode(std::string_view code, BandParts& parts) {
    while (!code.empty()) {
        const auto comma = std::min(code.find(','), code.size());
        ReadEntry(code.substr(0, comma), parts);
        code.remove_prefix(std::min(comma + 1, code.size()));
    }
}

BandParts WithChartMixer(std::string_view text, BandParts parts) {
    if (const auto code = CommentLineValue(text, kMixerLinePrefix)) {
        ReadMixerCode(*code, parts);
    }
    return parts;
}

std::optional<TextChange> MixerLineChange(std::string_view text, const BandParts& parts) {
    std::string code = MixerCode(parts);
    return CommentLineChange(text, kMixerLinePrefix,
                             code.empty() ? std::nullopt : std::optional(std::move(code)));
}

}  // namespace kaz
