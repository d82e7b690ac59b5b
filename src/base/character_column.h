#pragma once

#include <cstddef>
#include <string_view>

#include "base/chart_encoding.h"

namespace kaz {

//! The column of the byte at offset in text stored in encoding, counted in characters from 1 at the start of
//! its line, as an editor counts them: a tab is one character, so is a character of several bytes in UTF-8
//! (and each byte that is not UTF-8) and every byte of Windows-1252; the CR of a CR LF ends the line before.
[[nodiscard]] std::size_t CharacterColumn(std::string_view text, std::size_t offset,
                                          ChartEncoding encoding = ChartEncoding::Utf8);

//! The number of characters of the longest line of UTF-8 text as the window's editor counts them: a line
//! ends at LF, CR or U+2029, and a character beyond U+FFFF takes two.
[[nodiscard]] std::size_t LongestLineCharacters(std::string_view text);

}  // namespace kaz
