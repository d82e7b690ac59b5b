#include "base/control_characters.h"

#include <cstdio>

namespace kaz {

namespace {

bool IsC0OrDelete(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

//! Whether bytes at i begin a C1 control in UTF-8: 0xC2 followed by 0x80..0x9F.
bool IsC1At(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
           static_cast<unsigned char>(text[i + 1]) >= 0x80 && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

}  // namespace

std::string EscapeControlCharacters(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    char escape[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsC0OrDelete(byte)) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        } else if (IsC1At(text, i)) {
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(text[++i]));
            shown += escape;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace kaz
