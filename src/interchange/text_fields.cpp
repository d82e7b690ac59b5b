#include "interchange/text_fields.h"

#include "base/chart_encoding.h"

namespace kaz {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
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
