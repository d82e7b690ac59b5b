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

TEST(CharacterColumn, CountsEveryByteOfWindows1252) {
    // "\xE9\x80" is no UTF-8: in Windows-1252 it is two characters, é and €.
    EXPECT_EQ(CharacterColumn("\t\xE9\x80 x", 4, ChartEncoding::Windows1252), 5u);
}

TEST(LongestLineCharacters, MeasuresLinesAsTheEditorHoldsThem) {
    EXPECT_EQ(LongestLineCharacters(""), 0u);
    EXPECT_EQ(LongestLineCharacters("C | F\r\nG7 | C |"), 8u);
    // CR alone and U+2029 break lines too; a character beyond U+FFFF takes two.
    EXPECT_EQ(LongestLineCharacters("abc\rab\xE2\x80\xA9x\xF0\x9F\x98\x80\xC3\xA9"), 4u);
}

}  // namespace
}  // namespace kaz
