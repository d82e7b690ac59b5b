#include <gtest/gtest.h>

#include "language/parse_fixture.h"

namespace kaz {
namespace {

using ChartGrammar = test::ParseFixture;

TEST_F(ChartGrammar, ReadsABluesWithCommentMeterAndRepeats) {
    ASSERT_EQ(Parse("# Blues in F\n"
                    "[4/4] F7 | Bb7 | F7 | % |\n"
                    "Bb7 | % | F7 | % |\n"
                    "C7 | Bb7 | F7 C7 |\n"),
              kParseAccepted);
    EXPECT_EQ(Lines(),
              "F7 | Bb7 | F7 | %F7\n"
              "Bb7 | %Bb7 | F7 | %F7\n"
              "C7 | Bb7 | F7 C7");
}

TEST_F(ChartGrammar, ReadsDefinitionAndMeterOnMarkLines) {
    ASSERT_EQ(Parse("[CHORD mu = 0 2 4 7]\n[3/4]\nCmu | Fmu G | C"), kParseAccepted);
    EXPECT_EQ(Lines(), "Cmu(3/4) | Fmu G(3/4) | C(3/4)");
    const ChordDefinition* mu = definitions.Find("mu");
    ASSERT_NE(mu, nullptr);
    EXPECT_EQ(mu->count, 4);
}

TEST_F(ChartGrammar, ReadsEmptyMeasuresRepeatsAndTrailingStars) {
    ASSERT_EQ(Parse("| C | % | Dm7 G7 || C *"), kParseAccepted);
    EXPECT_EQ(Lines(), "C | %C | Dm7 G7 | _ | C");
}

TEST_F(ChartGrammar, ReadsTempoLineThenSixEightWithRestAndSlashChord) {
    ASSERT_EQ(Parse("[TEMPO=100]\n[6/8] Am | - | E7/G# | Am"), kParseAccepted);
    EXPECT_EQ(Lines(), "Am(6/8) | -(6/8) | E7/G#(6/8) | Am(6/8)");
    EXPECT_EQ(score.scoreTempo, 100);
}

TEST_F(ChartGrammar, EmptyTextAndBlankLinesBuildNoLine) {
    for (std::string_view text : {"", "\n\n\n", "# only a comment\n", "  \n\t\n"}) {
        EXPECT_EQ(Parse(text), kParseAccepted) << text;
        EXPECT_TRUE(score.scoreLines.empty()) << text;
    }
}

TEST_F(ChartGrammar, RunsOfBarLinesStandForEmptyMeasures) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"|", ""},
        {"||", "_"},
        {"[4/4] |", "_"},
        {"C ||", "C | _"},
        {"|| C", "_ | C"},
        {"| C ||", "C | _"},
        {"*", "_"},
        {"C |||| D", "C | _ | _ | _ | D"},
        {"[5]", "_"},
        {"[5] C | D", "C | D"},
        {"[3] [4/4] C", "C"},
        {"C **", "C"},
    };
    for (const auto& [text, lines] : cases) {
        ASSERT_EQ(Parse(text), kParseAccepted) << text;
        EXPECT_EQ(Lines(), lines) << text;
        EXPECT_EQ(score.scoreLines.size(), 1u) << text;
    }
}

TEST_F(ChartGrammar, BarLinesBesideARepeatSignCountTheSameWrittenTogetherOrApart) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"C :||| D", "C | _ | D"},       {"C :|| | D", "C | _ | D"},      {"C :|||| D", "C | _ | _ | D"},
        {"C :|| || D", "C | _ | _ | D"}, {"|: C :||| x3 D", "C | _ | D"},
    };
    for (const auto& [text, lines] : cases) {
        ASSERT_EQ(Parse(text), kParseAccepted) << text;
        EXPECT_EQ(Lines(), lines) << text;
    }
}

TEST_F(ChartGrammar, AMeterBeforeARepeatSignOpensNoMeasure) {
    ASSERT_EQ(Parse("[3/4] |: C | D :|"), kParseAccepted);
    EXPECT_EQ(Lines(), "C(3/4) | D(3/4)");
    ASSERT_EQ(Parse("[4/4] [TEMPO=90] |: C"), kParseAborted);
}

TEST_F(ChartGrammar, SectionsTakeAnyNameButAMarkWithAKeywordStaysThatMark) {
    ASSERT_EQ(Parse("[Strophe] C |\n[\xC3\x9C"
                    "bergang 2] D |\n[verse] E"),
              kParseAccepted);
    ASSERT_EQ(score.sections.size(), 3U);
    EXPECT_EQ(score.sections[1].name,
              "\xC3\x9C"
              "bergang 2");
    for (std::string_view keyword : {"[TEMPO 120]", "[CHORD mu]", "[STYLE]", "[KEY Eb]", "[KEY]"}) {
        EXPECT_EQ(Parse(keyword), kParseAborted) << keyword;
    }
}

TEST_F(ChartGrammar, FlatCAndFlatFAreRoots) {
    ASSERT_EQ(Parse("Cb | Abm6/Cb | Fbmaj7/Eb"), kParseAccepted);
    EXPECT_EQ(Lines(), "Cb | Abm6/Cb | Fbmaj7/Eb");
}

TEST_F(ChartGrammar, FillerMeasuresTakeTheMeterOfTheMeasureAfterThem) {
    ASSERT_EQ(Parse("C || [3/4] D"), kParseAccepted);
    EXPECT_EQ(Lines(), "C | _(3/4) | D(3/4)");
}

TEST_F(ChartGrammar, MarkFollowedByAnotherMarkMakesAMarkLine) {
    ASSERT_EQ(Parse("[4/4] C"), kParseAccepted);
    EXPECT_EQ(Lines(), "C");
    ASSERT_EQ(Parse("[4/4] [TEMPO=90]\nC"), kParseAccepted);
    EXPECT_EQ(Lines(), "C");
    ASSERT_EQ(Parse("[4/4] [TEMPO=90] C"), kParseAborted);
    EXPECT_EQ(Error().text, "C");
}

TEST_F(ChartGrammar, FormAndStyleMarksOpenTheFirstMeasureOfTheirLine) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[B] [STYLE=Bossa nova] F | G", "F | G"},
        {"[4/4] [A] C | D", "C | D"},
        {"[A] [TEMPO=90] C", "C"},
        {"[A] |: C | D :|", "C | D"},
        {"[STYLE=Funk] [A] |: C :|", "C"},
    };
    for (const auto& [text, lines] : cases) {
        ASSERT_EQ(Parse(text), kParseAccepted) << text;
        EXPECT_EQ(Lines(), lines) << text;
    }
    // Without a form mark, marks before a chord stay a mark line that takes no measures.
    for (std::string_view text : {"[CHORD x = 0 4 7] C", "[4/4] [TEMPO=90] |"}) {
        ASSERT_EQ(Parse(text), kParseAborted) << text;
        EXPECT_EQ(Error().message, "Unexpected symbol") << text;
    }
}

TEST_F(ChartGrammar, AnEmptyMeasureOfFormMarksOnlyLeavesThemToTheNextMeasure) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[A] | C | D", "C | D"},
        {"C | [B] | D", "C | D"},
        {"[A] [4/4] | C", "_ | C"},  // a meter mark makes its measure, as "[4/4] | C" does
    };
    for (const auto& [text, lines] : cases) {
        ASSERT_EQ(Parse(text), kParseAccepted) << text;
        EXPECT_EQ(Lines(), lines) << text;
    }
    ASSERT_EQ(Parse("C | [B] |"), kParseAborted);
    EXPECT_EQ(Error().message, "No measure after this mark");
}

TEST_F(ChartGrammar, RejectsMarksAndRepeatsInsideAMeasure) {
    ASSERT_EQ(Parse("C % D"), kParseAborted);
    EXPECT_EQ(Error().message, "Unexpected symbol");
    EXPECT_EQ(Error().text, "%");
    EXPECT_EQ(Error().selection, (TextRange{2, 3}));
    ASSERT_EQ(Parse("C [4/4] D"), kParseAborted);
    EXPECT_EQ(Error().text, "[");
}

TEST_F(ChartGrammar, DefinitionTakesOneToSixNumbers) {
    ASSERT_EQ(Parse("[CHORD x = 1 2 3 4 5 6]\n[CHORD y = 1]"), kParseAccepted);
    EXPECT_EQ(definitions.Find("x")->count, 6);
    EXPECT_EQ(definitions.Find("y")->count, 1);
    ASSERT_EQ(Parse("[CHORD x = 1 2 3 4 5 6 7]"), kParseAborted);
    EXPECT_EQ(Error().text, "7");
    EXPECT_EQ(Error().selection, (TextRange{23, 24}));
}

TEST_F(ChartGrammar, DefinitionWithoutNameIsStoredUnderTheEmptyName) {
    ASSERT_EQ(Parse("[CHORD = 0 3 7]"), kParseAccepted);
    ASSERT_NE(definitions.Find(""), nullptr);
    EXPECT_EQ(definitions.Find("")->count, 3);
}

TEST_F(ChartGrammar, MeterErrorsQuoteTheNumbersAndSelectTheBracket) {
    ASSERT_EQ(Parse("C |\n[3/0] D"), kParseAborted);
    EXPECT_EQ(Error().message, "Invalid meter");
    EXPECT_EQ(Error().text, "3/0");
    EXPECT_EQ(Error().line, 2);
    EXPECT_EQ(Error().selection, (TextRange{4, 9}));

    ASSERT_EQ(Parse("[3/4]\n[2/4]"), kParseAborted);
    EXPECT_EQ(Error().message, "Multiple meter");
    EXPECT_EQ(Error().text, "2/4");
    EXPECT_EQ(Error().selection, (TextRange{6, 11}));

    EXPECT_EQ(Parse("[4/4] C | [3/4] D"), kParseAccepted);
}

TEST_F(ChartGrammar, TempoNeedsItsEqualsSign) {
    ASSERT_EQ(Parse("[TEMPO 120]"), kParseAborted);
    EXPECT_EQ(Error().message, "A mark written wrong (write [TEMPO=120])");
    EXPECT_EQ(Error().text, "[TEMPO 120]");
}

TEST_F(ChartGrammar, SecondTempoMarkIsReported) {
    ASSERT_EQ(Parse("[TEMPO=90]\nC | [TEMPO=100] D"), kParseAborted);
    EXPECT_EQ(Error().message, "Multiple tempo");
    EXPECT_EQ(Error().text, "100");
    EXPECT_EQ(Error().selection, (TextRange{15, 26}));
}

TEST_F(ChartGrammar, StrayCharacterStopsTheParseThere) {
    ASSERT_EQ(Parse("C | D\nE x F | G"), kParseAborted);
    EXPECT_EQ(Error().message, "Unexpected symbol");
    EXPECT_EQ(Error().text, "x");
    EXPECT_EQ(Error().line, 2);
    EXPECT_EQ(Error().selection, (TextRange{8, 9}));
}

TEST_F(ChartGrammar, ChordErrorPointsAtTheChordBeforeTheScannerMovesOn) {
    ASSERT_EQ(Parse("C | Cadd8\nD"), kParseAborted);
    EXPECT_EQ(Error().message, "Unknown chord");
    EXPECT_EQ(Error().text, "Cadd8");
    EXPECT_EQ(Error().line, 1);
    EXPECT_EQ(Error().selection, (TextRange{4, 9}));
}

TEST_F(ChartGrammar, LongLinesKeepTheParseStackShallow) {
    std::string text = "C";
    for (int i = 0; i < 50000; ++i) {
        text += " | D";
    }
    text += std::string(100000, '|');
    ASSERT_EQ(Parse(text), kParseAccepted);
    EXPECT_EQ(score.CountMeasures(), 50001 + 99999);
}

}  // namespace
}  // namespace kaz
