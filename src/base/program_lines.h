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

//! What the chart's comment line that starts with prefix ("#kaz:instrument=", "#kaz:notation=") says: the
//! rest of that line, the first such line of text; nothing without one.
[[nodiscard]] std::optional<std::string_view> ProgramLineValue(std::string_view text,
                                                               std::string_view prefix);

//! The change that keeps value in the comment line of prefix: the line rewritten in place, added as the last
//! line, or, without a value, taken away again. Nothing else of the chart changes, and adding a line and
//! taking it away again gives back the text as it was. Nothing when text already says so.
[[nodiscard]] std::optional<TextChange> ProgramLineChange(std::string_view text, std::string_view prefix,
                                                          std::optional<std::string_view> value);

}  // namespace kaz
