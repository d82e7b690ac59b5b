#include "interchange/text_fields.h"

namespace kaz {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

//! The length of the well-formed UTF-8 sequence at the start of text, 0 when there is none.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = SequenceLength(text);
        if (length == 0) {
            valid += kReplacement;
            text.remove_prefix(1);
        } else {
            valid += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return valid;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string OneLine(std::string_view text) {
    std::string line = ValidUtf8(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return std::string(Trimmed(line));
}

std::vector<std::string> RemarkLines(std::string_view text) {
    const std::string line = OneLine(text);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = start;
        std::size_t characters = 0;
        std::size_t lastSpace = std::string::npos;
        while (end < line.size() && characters < kMaxRemarkCharacters) {
            if (line[end] == ' ' && characters > kMaxRemarkCharacters / 2) {
                lastSpace = end;
            }
            // A character is its lead byte and the continuation bytes after it.
            do {
                ++end;
            } while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80);
            ++characters;
        }
        if (end < line.size() && lastSpace != std::string::npos) {
            end = lastSpace + 1;
        }
        if (const std::string_view part = Trimmed(std::string_view(line).substr(start, end - start));
            !part.empty()) {
            lines.emplace_back(part);
        }
        start = end;
    }
    return lines;
}

}  // namespace kaz
