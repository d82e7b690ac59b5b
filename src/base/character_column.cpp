#include "base/character_column.h"

#include <algorithm>

namespace kaz {

std::size_t CharacterColumn(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::size_t lineStart = offset == 0 ? 0 : text.rfind('\n', offset - 1) + 1;
    std::size_t column = 1;
    for (std::size_t i = lineStart; i < offset; ++i) {
        // A continuation byte belongs to the character before it.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return column;
}

}  // namespace kaz
