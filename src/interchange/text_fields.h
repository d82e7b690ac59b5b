#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kaz {

//! The text with every byte that is not part of a well-formed UTF-8 sequence replaced by U+FFFD, so a title
//! from a foreign file never puts broken characters into a chart.
[[nodiscard]] std::string ValidUtf8(std::string_view text);
//! A field as one line of a comment: valid UTF-8, control characters and line breaks as spaces, trimmed.
[[nodiscard]] std::string OneLine(std::string_view text);
//! The most characters of a remark an import writes on one comment line of a chart.
inline constexpr std::size_t kMaxRemarkCharacters = 200;
//! A remark as one or more comment lines of at most kMaxRemarkCharacters characters, broken after a space
//! where there is one in the line's second half: a file's longest text stays readable in any editor.
[[nodiscard]] std::vector<std::string> RemarkLines(std::string_view text);
//! The text without the spaces and tabs at either end.
[[nodiscard]] std::string_view Trimmed(std::string_view text);

}  // namespace kaz
