#include <gtest/gtest.h>

#include <climits>

#include "language/parse_fixture.h"

namespace kaz {
namespace {

using ChartScanner = test::ParseFixture;

std::vector<std::pair<std::string, int>> ChordSpans(const ScoreTree& score) {
    std::vector<std::pair<std::string, int>> spans;
    for (const Chord& chord : score.allChords) {
        spans.emplace_back(chord.text(), chord.textStart);
        EXPECT_EQ(chord.textEnd - chord.textStart, static_cast<int>(chord.text().size()));
    }
    return spans;
}

TEST_F(ChartScanner, ChordSymbolsAreWholeLexemesAtTheirOffsets) {
    ASSERT_EQ(Parse("C | F | G7 | C"), kParseAccepted);
    EXPECT_EQ(ChordSpans(score),
              (std::vector<std::pair<std::string, int>>{{"C", 0}, {"F", 4}, {"G7", 8}, {"C", 13}}));
    ASSERT_EQ(Parse("Am7 F#m7-5 Bb6add9 | Gsus4 C/E Am7/G Abm7-5 C7-9"), kParseAccepted);
    EXPECT_EQ(Lines(), "Am7 F#m7-5 Bb6add9 | Gsus4 C/E Am7/G Abm7-5 C7-9");
}

TEST_F(ChartScanner, SignsAreChordSymbolsOfTheirOwn) {
    // "C/" backs up to "C" followed by the sign "/".
    ASSERT_EQ(Parse("C - / = | C/ D"), kParseAccepted);
    EXPECT_EQ(Lines(), "C - / = | C / D");
}

TEST_F(ChartScanner, SlashWithoutBassLetterBacksUpToTheChord) {
    ASSERT_EQ(Parse("C/x"), kParseAborted);
    EXPECT_EQ(Error().text, "x");
    EXPECT_EQ(score.allChords.size(), 2u);
}

TEST_F(ChartScanner, LettersThatTakeNoSuchAccidentalLeaveAStrayCharacter) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"E#", "#"}, {"H#", "#"}, {"Hb", "b"}, {"B#", "#"}};
    for (const auto& [text, stray] : cases) {
        ASSERT_EQ(Parse(text), kParseAborted) << text;
        EXPECT_EQ(Error().text, stray) << text;
    }
    ASSERT_EQ(Parse("Ab Bb Cb Db Eb Fb Gb A# C# D# F# G# H"), kParseAccepted);
}

TEST_F(ChartScanner, BracketsReadNumbersAndKeywords) {
    ASSERT_EQ(Parse("[CHORD mu = 0 4 7 14]\n[CHORD Cmy=0 -12]\n[CHORD 7x = 1]"), kParseAccepted);
    const ChordDefinition* mu = definitions.Find("mu");
    ASSERT_NE(mu, nullptr);
    EXPECT_EQ(mu->count, 4);
    EXPECT_EQ(mu->values[3], 14);
    ASSERT_NE(definitions.Find("Cmy"), nullptr);
    EXPECT_EQ(definitions.Find("Cmy")->values[1], -12);
    EXPECT_NE(definitions.Find("7x"), nullptr);
}

TEST_F(ChartScanner, DefinitionNameCannotStartWithB) {
    ASSERT_EQ(Parse("[CHORD bar=1]"), kParseAborted);
    EXPECT_EQ(Error().text, "b");
}

TEST_F(ChartScanner, KeywordsAreExactAndOnlyInBrackets) {
    ASSERT_EQ(Parse("[Tempo=90]"), kParseAborted);
    EXPECT_EQ(Error().text, "[Tempo=90]");
    ASSERT_EQ(Parse("[CHORDS x = 1]"), kParseAborted);
    EXPECT_EQ(Error().text, "[CHORDS x = 1]");
}

TEST_F(ChartScanner, NegativeNumbersAndSaturation) {
    ASSERT_EQ(Parse("[TEMPO=-5]"), kParseAborted);
    EXPECT_EQ(Error().message, "Invalid tempo");
    EXPECT_EQ(Error().text, "-5");
    ASSERT_EQ(Parse("[TEMPO=99999999999999999999]"), kParseAborted);
    EXPECT_EQ(Error().text, std::to_string(INT_MAX));
    ASSERT_EQ(Parse("[TEMPO=-2147483649]"), kParseAborted);
    EXPECT_EQ(Error().text, std::to_string(INT_MIN));
    ASSERT_EQ(Parse("[4294967300/4]"), kParseAborted);
    EXPECT_EQ(Error().message, "Invalid meter");
    EXPECT_EQ(Error().text, "2147483647/4");
}

TEST_F(ChartScanner, DigitOutsideBracketsIsAStrayCharacter) {
    ASSERT_EQ(Parse("C | 7"), kParseAborted);
    EXPECT_EQ(Error().text, "7");
}

TEST_F(ChartScanner, LineContinuationJoinsLinesButCountsThem) {
    ASSERT_EQ(Parse("C \\\n F | G"), kParseAccepted);
    EXPECT_EQ(Lines(), "C F | G");
    ASSERT_EQ(Parse("C \\  \r\n F x"), kParseAborted);
    EXPECT_EQ(Error().line, 2);
    EXPECT_EQ(Error().selection, (TextRange{10, 11}));
}

TEST_F(ChartScanner, CommentsOnlyInTheFirstColumn) {
    ASSERT_EQ(Parse("# intro\nC\n#tail"), kParseAccepted);
    EXPECT_EQ(Lines(), "C");
    ASSERT_EQ(Parse("  # intro"), kParseAborted);
    EXPECT_EQ(Error().text, "#");
    ASSERT_EQ(Parse("C # not a comment"), kParseAborted);
    EXPECT_EQ(Error().text, "#");
}

TEST_F(ChartScanner, CarriageReturnLineFeedIsOneBreakAndCountsTwo) {
    ASSERT_EQ(Parse("C |\r\nx"), kParseAborted);
    EXPECT_EQ(Error().line, 2);
    EXPECT_EQ(Error().selection, (TextRange{5, 6}));
    ASSERT_EQ(Parse("C\rD"), kParseAborted);
    EXPECT_EQ(Error().text, "\r");
    EXPECT_EQ(Error().line, 1);
}

TEST_F(ChartScanner, ErrorOnALineBreakNamesTheBreakOnTheNextLine) {
    ASSERT_EQ(Parse("C |\n[4/4\nD"), kParseAborted);
    EXPECT_EQ(Error().text, "\n");
    EXPECT_EQ(Error().line, 3);
    EXPECT_EQ(Error().selection, (TextRange{8, 9}));
}

TEST_F(ChartScanner, ErrorAtTheEndNamesTheLastLexeme) {
    ASSERT_EQ(Parse("[4/4"), kParseAborted);
    EXPECT_EQ(Error().text, "4");
    EXPECT_EQ(Error().selection, (TextRange{3, 4}));
    ASSERT_EQ(Parse("[4/4   "), kParseAborted);
    EXPECT_EQ(Error().text, "   ");
}

TEST_F(ChartScanner, NulByteIsAStrayCharacterNotTheEnd) {
    ASSERT_EQ(Parse(std::string_view("C | D\0 | E", 10)), kParseAborted);
    EXPECT_EQ(Error().text, std::string(1, '\0'));
    EXPECT_EQ(Error().selection, (TextRange{5, 6}));
}

TEST_F(ChartScanner, BytesAboveAsciiAreStrayCharacters) {
    // A character of UTF-8 is one stray character, quoted and selected whole.
    ASSERT_EQ(Parse("C | \xC3\xA9"), kParseAborted);
    EXPECT_EQ(Error().text, "\xC3\xA9");
    EXPECT_EQ(Error().selection, (TextRange{4, 6}));
    ASSERT_EQ(Parse("C\xE2\x99\xAD"
                    "9"),
              kParseAborted);
    EXPECT_EQ(Error().text, "\xE2\x99\xAD");
    // A byte that starts no character of UTF-8 stays a stray byte of its own.
    ASSERT_EQ(Parse("C | \xC3x"), kParseAborted);
    EXPECT_EQ(Error().text, "\xC3");
    ASSERT_EQ(Parse("# caf\xC3\xA9 \xE2\x99\xAD\nC"), kParseAccepted);
}

TEST_F(ChartScanner, LexemesOfAnyLengthAreScannedWhole) {
    const std::string comment = "#" + std::string(1 << 20, 'x') + "\nC";
    ASSERT_EQ(Parse(comment), kParseAccepted);
    EXPECT_EQ(Lines(), "C");
    const std::string chord = "C" + std::string(100000, 'm');
    ASSERT_EQ(Parse("D " + chord + " E"), kParseAborted);
    EXPECT_EQ(Error().message, "Unknown chord");
    EXPECT_EQ(Error().text, chord);
    EXPECT_EQ(Error().selection, (TextRange{2, 2 + static_cast<int>(chord.size())}));
}

}  // namespace
}  // namespace kaz
