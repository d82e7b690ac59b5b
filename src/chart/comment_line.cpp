#include "chart/comment_line.h"

namespace kaz {

namespace {

std::string_view LineAt(std::string_view text, std::size_t start) {
    const std::size_t end = text.find_first_of("\r\n", start);
    return text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
}

//! Where the comment line of prefix starts; npos without one.
std::size_t LineStart(std::string_view text, std::string_view prefix) {
    for (std::size_t start = 0; start <= text.size();) {
        if (LineAt(text, start).starts_with(prefix)) {
            return start;
        }
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return std::string_view::npos;
}

std::string_view LineBreakOf(std::string_view text) {
    return text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

}  // namespace

std::optional<std::string_view> CommentLineValue(std::string_view text, std::string_view prefix) {
    const std::size_t start = LineStart(text, prefix);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    return LineAt(text, start).substr(prefix.size());
}

std::optional<TextChange> CommentLineChange(std::string_view text, std::string_view prefix,
                                            const std::optional<std::string>& value) {
    const std::size_t start = LineStart(text, prefix);
    const std::string line = std::string(prefix) + value.value_or(std::string());
    const std::string_view lineBreak = LineBreakOf(text);
    if (start == std::string_view::npos) {
        if (!value) {
            return std::nullopt;
        }
        // After a last line without a break the new line comes after one, and itself ends without one.
        const bool brokenOff = text.empty() || text.ends_with('\n');
        return TextChange{text.size(), text.size(),
                          brokenOff ? line + std::string(lineBreak) : std::string(lineBreak) + line};
    }
    const std::size_t end = start + LineAt(text, start).size();
    if (value) {
        if (text.substr(start, end - start) == line) {
            return std::nullopt;
        }
        return TextChange{start, end, line};
    }
    if (end < text.size()) {
        const std::size_t breakLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        return TextChange{start, end + breakLength, {}};
    }
    // The last line, without a break after it, goes with the break before it.
    std::size_t before = start;
    if (before > 0 && text[before - 1] == '\n') {
        --before;
        if (before > 0 && text[before - 1] == '\r') {
            --before;
        }
    }
    return TextChange{before, end, {}};
}

}  // namespace kaz
