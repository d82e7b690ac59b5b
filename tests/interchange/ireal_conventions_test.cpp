// The conventions real iReal Pro charts follow, one link each, checked by what the imported chart plays: its
// measures in the order played, each with its chords and, when not 4/4, its meter.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "interchange/chart_reading.h"
#include "interchange/chart_text_writer.h"
#include "interchange/ireal_link.h"
#include "interchange/link_text.h"
#include "language/compile_score.h"

namespace kaz {
namespace {

using test::LinkForTest;
using test::SongForTest;

std::string PlayedChart(const std::string& chart) {
    const std::shared_ptr<const CompiledChart> compiled = test::CompileForTest(chart);
    const CompileResult& result = compiled->result;
    if (!result.Accepted()) {
        return result.error.message + ": `" + result.error.text + "` in\n" + chart;
    }
    std::string played;
    for (const PlayedMeasure& measure : compiled->score.playOrder) {
        const Measure& source = *compiled->score.Slot(measure).source;
        std::string chords;
        for (const Chord* chord : source.chords) {
            chords += (chords.empty() ? "" : " ") + std::string(chord->text());
        }
        if (source.meterNum != 4 || source.meterDen != 4) {
            chords += " (" + std::to_string(source.meterNum) + "/" + std::to_string(source.meterDen) + ")";
        }
        played += (played.empty() ? "" : " | ") + chords;
    }
    return played;
}

//! What the song of a link with this music plays.
std::string Played(std::string_view music) {
    const ImportedSongs imported = ReadIrealLinks(LinkForTest(SongForTest("Song", music)));
    if (!imported.Read()) {
        return imported.error.English();
    }
    return PlayedChart(WriteChartText(imported.songs.front()));
}

TEST(IrealConventions, AnXInAnyCellRepeatsTheMeasureBefore) {
    EXPECT_EQ(Played("[T44C^7   | x  |D-7 G7 |x   |x|E-7   Kcl  Z"),
              "Cmaj7 | Cmaj7 | Dm7 G7 | Dm7 G7 | Dm7 G7 | Em7 | Em7");
}

TEST(IrealConventions, AnRRepeatsTheTwoMeasuresBeforeInTwoMeasures) {
    EXPECT_EQ(Played("[T44F^7   |G-7 C7 |   r|    |A-7   Z"), "Fmaj7 | Gm7 C7 | Fmaj7 | Gm7 C7 | Am7");
}

TEST(IrealConventions, EmptyCellsAfterAClosingBarLineAreNoMeasureAndAnEmptyMeasureHoldsOn) {
    EXPECT_EQ(Played("{C   |F   }        [G   |    ]        Y[D   Z    "), "C | F | C | F | G | = | D");
}

TEST(IrealConventions, AJumpRemarkBelongsToTheMeasureItIsWrittenIn) {
    EXPECT_EQ(Played("[C   |<Fine>D   |E   |<D.C. al Fine>F   Z"), "C | D | E | F | C | D");
    EXPECT_EQ(Played("[C   |D  Q |E   |<D.C. al Coda>F   ZY[QG   Z"), "C | D | E | F | C | D | G");
    // Written inside a line, a jump back is taken at the bar line that ends it.
    EXPECT_EQ(Played("[C   |<Fine>D   ][E   |<D.C. al Fine>F   |G   Z"), "C | D | E | F | G | C | D");
}

TEST(IrealConventions, ARepeatCountRemarkInsideOrAfterTheRepeat) {
    EXPECT_EQ(Played("{C   |<3x>D   }E   Z"), "C | D | C | D | C | D | E");
    EXPECT_EQ(Played("{C   |D   }<*033X>E   Z"), "C | D | C | D | C | D | E");
    EXPECT_EQ(Played("{C   | x  <4x>}D   Z"), "C | C | C | C | C | C | C | C | D");
}

TEST(IrealConventions, EndingsOfSeveralMeasuresAndAnEndingWithoutItsRepeatSign) {
    EXPECT_EQ(Played("{C   |N1D   |E   }N2F   |G   }N3A   |B   Z"), "C | D | E | C | F | G | C | A | B");
    EXPECT_EQ(Played("{C   |N1D   |N2E   Z"), "C | D | C | E");
    // A first ending closed by its repeat sign with no second one: the music after it is the second.
    EXPECT_EQ(Played("{C   |N1D   }E   Z"), "C | D | C | E");
}

TEST(IrealConventions, SegnoAndCodaSignsAndTheJumpToTheSecondEnding) {
    EXPECT_EQ(Played("[C   |SD   |E  Q |<D.S. al Coda>F   Z[QA   |B   Z"), "C | D | E | F | D | E | A | B");
    // Every coda sign but the last is where the player leaves for the coda.
    EXPECT_EQ(Played("[C  Q |D  Q |<D.C. al Coda>E   Z[QF   Z"), "C | D | E | C | F");
    EXPECT_EQ(Played("{SC   |N1D   }N2E   |<D.S. al 2nd End.>F   Z"), "C | D | C | E | F | C | E | F");
}

TEST(IrealConventions, ACodaSignWithoutAJumpLeavesOnTheRepeatsLastPass) {
    EXPECT_EQ(Played("{C   |D  Q |E   <3x>}[QF   Z"), "C | D | E | C | D | E | C | D | F");
}

TEST(IrealConventions, NoChordSlashesInvisibleRootsAndAlternates) {
    EXPECT_EQ(Played("[C7 n  |n   |C,ppF|A-,W/G#,W/G,W/F#,|C^7(A-7)   Z"),
              "C7 N.C. | N.C. | C / / F | Am Am/G# Am/G Am/F# | Cmaj7");
}

TEST(IrealConventions, FlatAndSharpNamesTheChartLanguageSpellsOrPlays) {
    EXPECT_EQ(Played("[Cb^7   |Ab-6/Cb   |Fb7   |C#/E#   |G#7/B#   Z"),
              "Cbmaj7 | Abm6/Cb | Fb7 | C#/F | G#7/C");
    EXPECT_EQ(test::PlayedNotesForTest("Cbmaj7 | Abm6/Cb | Fb7 |"),
              test::PlayedNotesForTest("Bmaj7 | Abm6/B | E7 |"));
}

TEST(IrealConventions, MetersAtTheStartAndInTheMiddleOfASong) {
    EXPECT_EQ(Played("[T44C   |T34D,E,F,|T68G   |T12A   |T22B   |T54C     |T78D       |T44E   Z"),
              "C | D E F (3/4) | G (6/8) | A (12/8) | B (2/2) | C (5/4) | D (7/8) | E");
}

TEST(IrealConventions, SectionsAreNamedAndTheLayoutSignsPlayNothing) {
    const ImportedSongs imported =
        ReadIrealLinks(LinkForTest(SongForTest("Song", "[*iT44C   ]Y[*VD   |sE,F,lG,A,|fB  U Z")));
    ASSERT_TRUE(imported.Read()) << imported.error.English();
    const LeadSheet& song = imported.songs.front();
    EXPECT_EQ(song.measures[0].section, "Intro");
    EXPECT_EQ(song.measures[1].section, "Verse");
    EXPECT_EQ(PlayedChart(WriteChartText(song)), "C | D | E F G A | B");
}

TEST(IrealConventions, EveryQualityOfTheFormatIsAChordKazPlays) {
    for (const char* quality :
         {"5",      "2",      "add9",     "+",     "o",      "h",       "sus",   "^",     "-",
          "^7",     "-7",     "7",        "7sus",  "h7",     "o7",      "^9",    "^13",   "6",
          "69",     "^7#11",  "^9#11",    "^7#5",  "-6",     "-69",     "-^7",   "-^9",   "-9",
          "-11",    "-7b5",   "h9",       "-b6",   "-#5",    "9",       "7b9",   "7#9",   "7#11",
          "7b5",    "7#5",    "9#11",     "9b5",   "9#5",    "7b13",    "7#9#5", "7#9b5", "7#9#11",
          "7b9#11", "7b9b5",  "7b9#5",    "7b9#9", "7b9b13", "7alt",    "13",    "13#11", "13b9",
          "13#9",   "7b9sus", "7susadd3", "9sus",  "13sus",  "7b13sus", "11",    "o^7"}) {
        const std::string played = Played(std::string("[T44C") + quality + "   Z");
        EXPECT_EQ(played.find(':'), std::string::npos) << quality << ": " << played;
        EXPECT_EQ(played.find(' '), std::string::npos) << quality << ": one chord, " << played;
    }
}

//! Songs whose signs stand wherever chance puts them: the import writes a chart that compiles for every one,
//! playing the nearest way what cannot be played as written.
TEST(IrealConventions, EverySongGivesAChartThatCompilesWhereverItsSignsStand) {
    static const char* const kSigns[] = {"C",
                                         "D-7",
                                         "G7",
                                         "Bb7b9",
                                         "Ab-6/Cb",
                                         "C#/E#",
                                         "W/G",
                                         "p",
                                         "n",
                                         "x",
                                         "r",
                                         " ",
                                         " ",
                                         " ",
                                         "|",
                                         "|",
                                         "[",
                                         "]",
                                         "{",
                                         "}",
                                         "Z",
                                         "N1",
                                         "N2",
                                         "N3",
                                         "S",
                                         "Q",
                                         "*A",
                                         "*V",
                                         "T34",
                                         "T68",
                                         "T44",
                                         "Y",
                                         "XyQ",
                                         "Kcl",
                                         "LZ",
                                         "(A-7)",
                                         "<3x>",
                                         "<Fine>",
                                         "<Solos>",
                                         "<D.C. al Coda>",
                                         "<D.S. al Fine>",
                                         "<D.S. al 2nd End.>"};
    std::mt19937 chance(7);
    for (int song = 0; song < 300; ++song) {
        std::string music;
        const auto length = std::uniform_int_distribution<int>(1, 60)(chance);
        for (int i = 0; i < length; ++i) {
            music += kSigns[std::uniform_int_distribution<std::size_t>(0, std::size(kSigns) - 1)(chance)];
        }
        const ImportedSongs imported = ReadIrealLinks(LinkForTest(SongForTest("Chance", music)));
        ASSERT_TRUE(imported.Read()) << music;
        const std::string chart = WriteChartText(imported.songs.front());
        const std::shared_ptr<const CompiledChart> compiled = test::CompileForTest(chart);
        const CompileResult& result = compiled->result;
        EXPECT_TRUE(result.Accepted() || result.outcome == CompileOutcome::NothingToPlay)
            << music << "\n"
            << chart << result.error.message << ": " << result.error.text;
    }
}

TEST(IrealLinks, TitlesWithQuotesAmpersandsAndOtherLettersKeepTheWholePlaylist) {
    const std::string songs = "'S Wonder & Co=Writer==Ballad=C==1r34LbKcu7" + ScrambleMusic("[C   Z") +
                              "==0=1===Caf\xC3\xA9 It%27s=Writer==Ballad=D==1r34LbKcu7" +
                              ScrambleMusic("[D   Z") + "==0=1===Gig";
    const ImportedSongs imported = ReadIrealLinks("<a href=\"irealb://" + songs + "\">Gig</a>");
    ASSERT_TRUE(imported.Read()) << imported.error.English();
    ASSERT_EQ(imported.songs.size(), 2U);
    EXPECT_EQ(imported.songs[0].title, "'S Wonder & Co");
    EXPECT_EQ(imported.songs[1].title, "Caf\xC3\xA9 It's");
    EXPECT_EQ(imported.collection, "Gig");
}

TEST(IrealLinks, ASongWithAnEqualsSignInItsTitleOrAFieldTooFewIsStillRead) {
    const ImportedSongs imported = ReadIrealLinks(
        LinkForTest("A=B=Writer==Ballad=C==1r34LbKcu7" + ScrambleMusic("[C   Z") +
                    "==0=1===Short=Bossa=D==1r34LbKcu7" + ScrambleMusic("[D   Z") + "==0=1===List"));
    ASSERT_TRUE(imported.Read()) << imported.error.English();
    ASSERT_EQ(imported.songs.size(), 2U);
    EXPECT_EQ(imported.songs[0].title, "A=B");
    EXPECT_EQ(imported.songs[0].composer, "Writer");
    EXPECT_EQ(imported.songs[1].title, "Short");
    EXPECT_EQ(imported.songs[1].key, "D");
}

}  // namespace
}  // namespace kaz
