// The harmony model as the grammar drives it: charts in, score tree and chord keys out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "language/parse_fixture.h"

namespace kaz {
namespace {

using ::testing::ElementsAre;

class ChartHarmony : public test::ParseFixture {
  protected:
    std::vector<int> KeysOf(std::size_t chord) const {
        const Chord& c = score.allChords[chord];
        return {c.notes, c.notes + c.noteCount};
    }
};

TEST_F(ChartHarmony, DefinitionsOutliveTheChartThatMadeThem) {
    ASSERT_EQ(Parse("[CHORD Cmy = 0 5]\n[CHORD = 0 3 7]\nCmy | D"), kParseAccepted);
    EXPECT_THAT(KeysOf(0), ElementsAre(36, 48, 53));
    EXPECT_THAT(KeysOf(1), ElementsAre(38, 50, 53, 57));

    // The next chart no longer defines them; "Cmy/E" falls back to the suffix "my", which nothing defines.
    ASSERT_EQ(Parse("Cmy | G"), kParseAccepted);
    EXPECT_THAT(KeysOf(0), ElementsAre(36, 48, 53));
    EXPECT_THAT(KeysOf(1), ElementsAre(31, 43, 46, 50));
    EXPECT_EQ(Parse("C | Cmy/E"), kParseAborted);
    EXPECT_EQ(Error().message, "Unknown chord");
    EXPECT_EQ(Error().selection, (TextRange{4, 9}));
}

TEST_F(ChartHarmony, RepeatsReachBackOverLinesAndKeepTheirSourcesMeter) {
    ASSERT_EQ(Parse("% | C | Dm\n[3/4]\n%% | E\n| %%% |"), kParseAccepted);
    EXPECT_EQ(Lines(),
              "%_ | C | Dm\n"
              "%C | %Dm | E(3/4)\n"
              "%C | %Dm | %E(3/4)");
    const ScoreLine& second = score.scoreLines[1];
    EXPECT_EQ(second.measures[0]->ticks, 1920);
    EXPECT_EQ(second.measures[2]->ticks, 1440);
    EXPECT_EQ(second.measures[0]->repeatStart, 17);
    EXPECT_EQ(second.measures[0]->repeatEnd, 18);
}

TEST_F(ChartHarmony, SpellingsOfBAreCollectedOverTheWholeChart) {
    ASSERT_EQ(Parse("H | Bb/F | C"), kParseAccepted);
    EXPECT_EQ(score.bLettersSeen, kSpelledH | kSpelledBb);
    EXPECT_EQ(Parse("B7 | Bb\nF | C/H"), kParseAborted);
    EXPECT_EQ(Error().message, "B/Bb/H ambiguity");
    EXPECT_EQ(Error().text, "C/H");
    EXPECT_EQ(Error().line, 2);
    EXPECT_EQ(Error().selection, (TextRange{12, 15}));
}

}  // namespace
}  // namespace kaz
