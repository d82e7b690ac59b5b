#include "base/text_positions.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(TextPositionMap, PlainTextIsTheIdentity) {
    const TextPositionMap map("C | G7 |\nF |");
    EXPECT_EQ(map.ToEditor({4, 6}), (TextRange{4, 6}));
    EXPECT_EQ(map.ToCompiled({9, 10}), (TextRange{9, 10}));
}

TEST(TextPositionMap, NonAsciiCommentsShiftLaterChordsBackToTheirCharacters) {
    // "é" is 2 bytes, "♭" 3 bytes and the double flat sign 4 bytes (two UTF-16 units).
    const std::string text = "# caf\xC3\xA9 \xE2\x99\xAD \xF0\x9D\x84\xAB\nAm7 | x";
    const TextPositionMap map(text);
    const int am7 = static_cast<int>(text.find("Am7"));
    const int x = static_cast<int>(text.find('x'));
    // Editor: "# café ♭ " is 9 units, the double flat 2, the break 1.
    EXPECT_EQ(map.ToEditor({am7, am7 + 3}), (TextRange{12, 15}));
    EXPECT_EQ(map.ToEditor({x, x + 1}), (TextRange{18, 19}));
    EXPECT_EQ(map.ToCompiled({12, 15}), (TextRange{am7, am7 + 3}));
    // A stray byte of a character selects the whole character.
    EXPECT_EQ(map.ToEditor({6, 7}), (TextRange{5, 6}));
    EXPECT_EQ(map.ToEditor({13, 14}), (TextRange{9, 11}));
}

TEST(TextPositionMap, CarriageReturnLineFeedIsOneEditorCharacter) {
    const TextPositionMap map("C |\r\nx\r\n\r\nG");
    EXPECT_EQ(map.ToEditor({5, 6}), (TextRange{4, 5}));    // x
    EXPECT_EQ(map.ToEditor({3, 5}), (TextRange{3, 4}));    // the first break
    EXPECT_EQ(map.ToEditor({10, 11}), (TextRange{7, 8}));  // G after two more breaks
    EXPECT_EQ(map.ToCompiled({7, 8}), (TextRange{10, 11}));
}

}  // namespace
}  // namespace kaz
