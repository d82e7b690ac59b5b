#pragma once

#include <cstddef>
#include <string_view>

namespace kaz {

//! The column of the byte at offset in UTF-8 text, counted in characters from 1 at the start of its line, as
//! a user counts it: a character of several bytes is one column, and so is each byte that is not UTF-8.
[[nodiscard]] std::size_t CharacterColumn(std::string_view text, std::size_t offset);

}  // namespace kaz
