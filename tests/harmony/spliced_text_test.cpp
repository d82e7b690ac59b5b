#include "harmony/spliced_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kaz {
namespace {

TEST(SplicedText, AppliesReplacementsInTextOrderAtPositionsOfTheTextSoFar) {
    SplicedText text("C | F | G7 | C");
    EXPECT_EQ(text.Replace({0, 1}, "Db"), 2u);
    EXPECT_EQ(text.Replace({5, 6}, "Gb"), 7u);
    EXPECT_EQ(text.Replace({10, 12}, "A"), 11u);
    EXPECT_EQ(text.Replace({14, 15}, ""), 14u);
    EXPECT_EQ(text.Text(), "Db | Gb | A | ");
    EXPECT_EQ(text.size(), 14u);
}

TEST(SplicedText, TakesAdjacentInsertionsAndReplacementsAtBothEnds) {
    SplicedText text("ab");
    text.Replace({0, 0}, "<");
    text.Replace({1, 1}, "[");
    text.Replace({2, 3}, "A");
    text.Replace({3, 3}, "]");
    text.Replace({5, 5}, ">");
    EXPECT_EQ(text.Text(), "<[A]b>");
}

TEST(SplicedText, StaysCorrectWhenAReplacementComesBeforeAnEarlierOne) {
    SplicedText text("one two three");
    text.Replace({8, 13}, "3");
    text.Replace({0, 3}, "1");
    text.Replace({2, 5}, "2");  // overlaps what the first replacement moved
    EXPECT_EQ(text.Text(), "1 2 3");
    text.Replace({1, 2}, "+");
    EXPECT_EQ(text.Text(), "1+2 3");
}

TEST(SplicedText, GoesOnReplacingAfterTheTextWasRead) {
    SplicedText text("C D E");
    text.Replace({2, 3}, "Eb");
    EXPECT_EQ(text.Text(), "C Eb E");
    text.Replace({5, 6}, "F#");
    EXPECT_EQ(text.Text(), "C Eb F#");
    text.Replace({0, 1}, "");
    EXPECT_EQ(text.Text(), " Eb F#");
}

TEST(SplicedText, ClampsARangeOutsideTheText) {
    SplicedText text("abc");
    EXPECT_EQ(text.Replace({2, 99}, "Z"), 3u);
    EXPECT_EQ(text.Replace({-4, 1}, "Y"), 1u);
    EXPECT_EQ(text.Replace({3, 1}, "X"), 4u);  // an end before the start selects nothing
    EXPECT_EQ(text.Text(), "YbZX");
}

TEST(SplicedText, RewritesEverySymbolOfALongChart) {
    std::string chart;
    for (int i = 0; i < 20000; ++i) {
        chart += "C | ";
    }
    SplicedText text(chart);
    for (int i = 0; i < 20000; ++i) {
        text.Replace({i * 5, i * 5 + 1}, "Db");
    }
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        expected += "Db | ";
    }
    EXPECT_EQ(text.Text(), expected);
}

}  // namespace
}  // namespace kaz
