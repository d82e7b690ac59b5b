#include "base/character_column.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(CharacterColumn, CountsCharactersFromTheStartOfTheLine) {
    const std::string_view text = "C | F\n\xc3\x89\xe2\x99\xad | x\r\nG";
    EXPECT_EQ(CharacterColumn(text, 0), 1u);
    EXPECT_EQ(CharacterColumn(text, 4), 5u);
    EXPECT_EQ(CharacterColumn(text, 6), 1u);   // just after a line break
    EXPECT_EQ(CharacterColumn(text, 14), 6u);  // after a two-byte and a three-byte character
    EXPECT_EQ(CharacterColumn(text, 17), 1u);
    EXPECT_EQ(CharacterColumn(text, 99), 2u);  // past the end: the end
}

}  // namespace
}  // namespace kaz
