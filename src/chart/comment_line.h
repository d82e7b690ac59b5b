#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kaz {

//! One change of a text: replace [start, end) with replacement.
struct TextChange {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string replacement;
    friend bool operator==(const TextChange&, const TextChange&) = default;
};

//! What follows prefix on the first line of text that starts with it (a comment line the program writes,
//! such as "#kaz:instrument="); nothing without one.
[[nodiscard]] std::optional<std::string_view> CommentLineValue(std::string_view text,
                                                               std::string_view prefix);

//! The change that keeps value on the comment line of prefix: the line rewritten in place, added as the last
//! line, or taken away again when value is none. Nothing else of the chart changes, and adding a line and
//! taking it away again gives back the text as it was. Nothing when text already says so.
[[nodiscard]] std::optional<TextChange> CommentLineChange(std::string_view text, std::string_view prefix,
                                                          const std::optional<std::string>& value);

}  // namespace kaz
