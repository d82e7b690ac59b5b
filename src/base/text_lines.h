#pragma once

#include <string_view>

namespace kaz {

//! The first line of text without its line break ("\n" or "\r\n"), taken off text.
[[nodiscard]] inline std::string_view TakeLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace kaz
