#include "base/control_characters.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(EscapeControlCharacters, WritesOutControlsAndKeepsEveryOtherByte) {
    EXPECT_EQ(EscapeControlCharacters("C\x1b[2J|\n\t\x7f"), "C\\x1b[2J|\\x0a\\x09\\x7f");
    EXPECT_EQ(EscapeControlCharacters("\xc2\x9b"
                                      "1m"),
              "\\u009b1m");
    // Printable non-ASCII text and bytes that are not UTF-8 are not controls.
    EXPECT_EQ(EscapeControlCharacters("F\xc3\xa9 \xc2\xa0 \xff\xc2"), "F\xc3\xa9 \xc2\xa0 \xff\xc2");
}

}  // namespace
}  // namespace kaz
