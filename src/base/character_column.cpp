#include "base/character_column.h"

#include <algorithm>

namespace kaz {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t CharacterColumn(std::string_view text, std::size_t offset, ChartEncoding encoding) {
    offset = std::min(offset, text.size());
    const std::size_t lineStart = offset == 0 ? 0 : text.rfind('\n', offset - 1) + 1;
    if (encoding == ChartEncoding::Windows1252) {
        return offset - lineStart + 1;
    }
    std::size_t column = 1;
    for (std::size_t i = lineStart; i < offset; ++i) {
        // A continuation byte belongs to the character before it.
        if (!IsContinuationByte(text[i])) {
            ++column;
        }
    }
    return column;
}

std::size_t LongestLineCharacters(std::string_view text) {
    constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";
    std::size_t longest = 0;
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool paragraphEnd = byte == 0xE2 && text.substr(i).starts_with(kParagraphSeparator);
        if (byte == '\n' || byte == '\r' || paragraphEnd) {
            longest = std::max(longest, length);
            length = 0;
            i += paragraphEnd ? kParagraphSeparator.size() - 1 : 0;
        } else if (!IsContinuationByte(text[i])) {
            // The editor holds a character beyond U+FFFF as two UTF-16 units.
            length += byte >= 0xF0 ? 2 : 1;
        }
    }
    return std::max(longest, length);
}

}  // namespace kaz
