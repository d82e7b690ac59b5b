#include "base/program_lines.h"

namespace kaz {

namespace {

//! The line of text that starts at offset start, without its line break.
std::string_view LineFrom(std::string_view text, std::size_t start) {
    const std::size_t end = text.find_first_of("\r\n", start);
    return text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
}

//! Where the comment line of prefix starts; npos without one.
std::size_t ProgramLineStart(std::string_view text, std::string_view prefix) {
    // The line starts the text or follows a line break; a chart rarely holds the prefix anywhere else.
    for (std::size_t at = text.find(prefix); at != std::string_view::npos; at = text.find(prefix, at + 1)) {
        if (at == 0 || text[at - 1] == '\n') {
            return at;
        }
    }
    return std::string_view::npos;
}

std::string_view LineBreakOf(std::string_view text) {
    return text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

}  // namespace

std::optional<std::string_view> ProgramLineValue(std::string_view text, std::string_view prefix) {
    const std::size_t start = ProgramLineStart(text, prefix);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    return LineFrom(text, start).substr(prefix.size());
}

std::optional<TextChange> ProgramLineChange(std::string_view text, std::string_view prefix,
                                            std::optional<std::string_view> value) {
    const std::size_t start = ProgramLineStart(text, prefix);
    const std::string line = value ? std::string(prefix) + std::string(*value) : std::string();
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
    const std::size_t end = start + LineFrom(text, start).size();
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
