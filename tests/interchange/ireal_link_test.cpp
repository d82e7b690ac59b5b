#include <gtest/gtest.h>

#include "interchange/chart_reading.h"
#include "interchange/chart_text_writer.h"
#include "interchange/ireal_cells.h"
#include "interchange/ireal_link.h"
#include "interchange/link_text.h"

namespace kaz {
namespace {

using test::LinkForTest;
using test::SongForTest;

std::string ImportedChart(std::string_view music) {
    const ImportedSongs imported = ReadIrealLinks(LinkForTest(SongForTest("Test", music)));
    EXPECT_TRUE(imported.Read()) << imported.error.English();
    return imported.Read() ? WriteChartText(imported.songs.front()) : std::string();
}

//! The chart lines after the header, which every import writes the same way.
std::string Body(const std::string& chart) {
    std::string body;
    std::size_t at = 0;
    while (at < chart.size()) {
        const std::size_t end = chart.find('\n', at);
        const std::string line = chart.substr(at, end - at);
        if (line.rfind("# ", 0) != 0 && line.rfind("[TEMPO", 0) != 0 && line.rfind("[STYLE", 0) != 0 &&
            line.rfind("[KEY", 0) != 0) {
            body += line + "\n";
        }
        at = end + 1;
    }
    return body;
}

TEST(IrealScramble, IsItsOwnInverseAndSwapsWithinBlocksOfFifty) {
    std::string music;
    for (int i = 0; i < 123; ++i) {
        music += static_cast<char>('!' + i % 90);
    }
    const std::string scrambled = ScrambleMusic(music);
    EXPECT_EQ(ScrambleMusic(scrambled), music);
    EXPECT_EQ(scrambled[0], music[49]);
    EXPECT_EQ(scrambled[49], music[0]);
    EXPECT_EQ(scrambled.substr(5, 5), music.substr(5, 5));
    EXPECT_EQ(scrambled[10], music[39]);
    EXPECT_EQ(scrambled.substr(24, 2), music.substr(24, 2));
    EXPECT_EQ(scrambled[50], music[99]);
    // The last block is left as it is when fewer than two characters follow it.
    EXPECT_EQ(ScrambleMusic(music.substr(0, 51)), music.substr(0, 51));
    EXPECT_EQ(scrambled.substr(100), music.substr(100));
}

TEST(IrealLink, ReadsTheSongFieldsIntoTheHeader) {
    const ImportedSongs imported =
        ReadIrealLinks(LinkForTest(SongForTest("Blue Hour", "[T44C^7XyQ|A-7XyQZ")));
    ASSERT_TRUE(imported.Read()) << imported.error.English();
    EXPECT_EQ(WriteChartText(imported.songs.front()),
              "# Blue Hour\n# Composer: Writer Tess\n# Style: Medium Swing\n[STYLE=Medium swing]\n# Key: "
              "F\n[KEY=F]\n"
              "# Choruses: 3\n"
              "[TEMPO=120]\nCmaj7 | Am7 |\n");
}

TEST(IrealCells, RepeatsEndingsAndSections) {
    EXPECT_EQ(Body(ImportedChart("*A{T44C XyQ|D-7 G7 |N1E-7XyQ}N2F^7XyQ][*BBb7XyQZ")),
              "|: [A] C | Dm7 G7 | [1.] Em7 :| [2.] Fmaj7 |\n[B] Bb7 |\n");
    EXPECT_EQ(Body(ImportedChart("{C XyQ|D XyQ<3x>}")), "|: C | D [x3] :|\n");
}

TEST(IrealCells, SegnoCodaAndJumpTexts) {
    EXPECT_EQ(Body(ImportedChart("[T44C XyQ|SD-7XyQ|E-7XyQQ|F^7XyQ<D.S. al Coda>|QG7XyQZ")),
              "C | [SEGNO] Dm7 | Em7 [TO CODA] | Fmaj7 [D.S. al Coda] |\n[CODA] G7 |\n");
    EXPECT_EQ(Body(ImportedChart("[C XyQ<Fine>|D XyQ<D.C. al Fine>Z")), "C [FINE] | D [D.C. al Fine] |\n");
}

TEST(IrealCells, MeasureRepeatsSlashesNoChordAndTheInvisibleRoot) {
    EXPECT_EQ(Body(ImportedChart("[T34C  |x  |r  |   |n  |D p p|E W/G Z")),
              "[3/4] C | % | %% |\nN.C. | D / / | E = E/G |\n");
}

TEST(IrealCells, ChordsHeldOnTheBeatsTheirCellsStandFor) {
    EXPECT_EQ(Body(ImportedChart("[C  G7|sC,D,lE,F|C,D,E,F,G Z")), "C = = G7 | C D E F | C D E F G |\n");
}

TEST(IrealCells, KeepsWhatItCannotPlayAsComments) {
    const std::string chart = ImportedChart("[C(Db7) XyQ|<Play softly>D XyQ|    |E,F,G,A,B Z");
    EXPECT_NE(chart.find("# alternate chord at measure 1: Db7\n"), std::string::npos) << chart;
    EXPECT_NE(chart.find("# remark at measure 2: Play softly\n"), std::string::npos) << chart;
    EXPECT_NE(chart.find("# measure 4 has more chords than beats\n"), std::string::npos) << chart;
}

TEST(IrealChords, EveryQualityInItsEverydaySpelling) {
    const std::pair<const char*, const char*> qualities[] = {
        {"C^7", "Cmaj7"}, {"C-7", "Cm7"},     {"Ch7", "Cm7b5"},       {"Co7", "Cdim7"},
        {"C7b9", "C7b9"}, {"C7alt", "C7alt"}, {"C7sus", "C7sus4"},    {"Csus", "Csus4"},
        {"C-", "Cm"},     {"Co", "Cdim"},     {"C+", "Caug"},         {"C-^7", "Cm(maj7)"},
        {"C-b6", "Cmb6"}, {"C69", "C69"},     {"C^7#11", "Cmaj7#11"}, {"C13b9", "C13b9"},
        {"C-6", "Cm6"},   {"Ch9", "Cm9b5"},   {"C7b9b13", "C7b9b13"}, {"Eb-7/Bb", "Ebm7/Bb"},
    };
    for (const auto& [link, everyday] : qualities) {
        EXPECT_EQ(Body(ImportedChart(std::string("[") + link + "XyQZ")), std::string(everyday) + " |\n")
            << link;
    }
}

TEST(IrealLink, PlaylistNameAndEverySong) {
    const ImportedSongs imported = ReadIrealLinks(
        "<a href=\"" +
        LinkForTest(SongForTest("One", "[C XyQZ") + "===" + SongForTest("Two", "[D XyQZ") + "===My Gigs") +
        "\">My Gigs</a>");
    ASSERT_TRUE(imported.Read()) << imported.error.English();
    EXPECT_EQ(imported.collection, "My Gigs");
    ASSERT_EQ(imported.songs.size(), 2U);
    EXPECT_EQ(imported.songs[1].title, "Two");
}

TEST(IrealLink, ReadsTheOlderLinksWithTheirMusicAsItIs) {
    const ImportedSongs imported = ReadIrealLinks("irealbook://Old%20One=Writer=Bossa=D=n=[D^7XyQ|E-7XyQZ");
    ASSERT_TRUE(imported.Read()) << imported.error.English();
    EXPECT_EQ(WriteChartText(imported.songs.front()),
              "# Old One\n# Composer: Writer\n# Style: Bossa\n[STYLE=Bossa nova]\n# Key: D\n[KEY=D]\nDmaj7 | "
              "Em7 |\n");
}

TEST(IrealLink, BadLinksAreRefusedWithTheReason) {
    EXPECT_EQ(ReadIrealLinks("just text").error.English(), "no iReal Pro link found");
    EXPECT_EQ(ReadIrealLinks("irealb://Title%3DComposer%3D%3DStyle").error.English(),
              "no song could be read: song 1 is cut short");
    EXPECT_EQ(ReadIrealLinks(LinkForTest("T=C==S=C==9z9z[C XyQZ==0=0")).error.English(),
              "no song could be read: song 1 has music in an unknown encoding");
    // A bad song in a playlist is left out; the others are read.
    const ImportedSongs partly =
        ReadIrealLinks(LinkForTest(SongForTest("Good", "[C XyQZ") + "===T=C==S===List"));
    ASSERT_TRUE(partly.Read());
    EXPECT_EQ(partly.songs.size(), 1U);
    EXPECT_EQ(InEnglish(partly.problems), std::vector<std::string>{"song 2 is cut short"});
}

TEST(IrealLink, DoubleEncodedLinksAndInvalidUtf8Titles) {
    const std::string once = LinkForTest(SongForTest("Twice", "[C XyQZ"));
    const ImportedSongs twice = ReadIrealLinks("irealb://" + test::PercentEncodedForTest(once.substr(9)));
    ASSERT_TRUE(twice.Read()) << twice.error.English();
    EXPECT_EQ(twice.songs.front().title, "Twice");
    const ImportedSongs broken = ReadIrealLinks(LinkForTest(SongForTest("Caf\xE9", "[C XyQZ")));
    ASSERT_TRUE(broken.Read());
    EXPECT_EQ(broken.songs.front().title, "Caf\xEF\xBF\xBD");
}

// How fast such a page is read is measured in bench/ireal_bench.cpp, not here, where the machine may be busy.
TEST(IrealLink, ManyLinksInALargePageAreAllRead) {
    std::string page(8 * 1024 * 1024, 'x');
    const std::string link =
        "<a href=\"" + LinkForTest(SongForTest("S", "*A{C^7 A-7 |D-7 G7 }Z")) + "\">S</a>\n";
    for (int i = 0; i < 5000; ++i) {
        page += link;
    }
    const ImportedSongs imported = ReadIrealLinks(page);
    EXPECT_EQ(imported.songs.size(), 5000U);
}

//! Charts written in the form the import writes come back letter for letter from their link.
TEST(IrealRoundTrip, FormChartsGiveBackTheSameText) {
    const std::string charts[] = {
        "# Round One\n# Composer: Writer Tess\n# Style: Ballad\n[STYLE=Jazz ballad]\n# Key: Eb\n[KEY=Eb]\n"
        "# Choruses: 2\n[TEMPO=72]\n"
        "|: [A] Ebmaj7 | Cm7 | Fm7 Bb7 | [1.] Gm7 C7b9 :|\n[2.] Fm7 Bb7 | Eb6 |\n"
        "[B] Am7b5 D7alt | Gm7 | % | %% |\n",
        "# Round Two\n[TEMPO=200]\n[3/4] C | [SEGNO] Dm7 | Em7 [TO CODA] | Fmaj7 [D.S. al Coda] |\n"
        "[CODA] G7sus4 = C/E | N.C. | Cm(maj7) / | C [FINE] |\n"
        "|: D | E [x3] :| [4/4] F = = G | Bbm7 Eb7 Abmaj7 |\n",
    };
    for (const std::string& chart : charts) {
        const ChartReading reading = test::ReadChartForTest(chart);
        ASSERT_TRUE(reading.Read()) << reading.error;
        const ImportedSongs back = ReadIrealLinks(WriteIrealPage({reading.sheet}, ""));
        ASSERT_TRUE(back.Read()) << back.error.English();
        EXPECT_EQ(WriteChartText(back.songs.front()), chart);
    }
}

//! A line of marks opens the measure the next line writes, as the chart language reads it.
TEST(IrealRoundTrip, ALineOfMarksOpensTheNextLinesMeasure) {
    const ChartReading reading = test::ReadChartForTest("[3/4]\n[A]\n|: C | G :|\n[B]\nF |\n");
    ASSERT_TRUE(reading.Read()) << reading.error;
    EXPECT_EQ(WriteChartText(reading.sheet), "# Untitled\n|: [A] [3/4] C | G :|\n[B] F |\n");
}

//! The chart a link brings back, from a chart compiled and exported.
std::string ThroughLink(const std::string& chart) {
    const ChartReading reading = test::ReadChartForTest(chart);
    EXPECT_TRUE(reading.Read()) << reading.error;
    const ImportedSongs back = ReadIrealLinks(WriteIrealPage({reading.sheet}, ""));
    EXPECT_TRUE(back.Read()) << back.error.English();
    return back.Read() ? WriteChartText(back.songs.front()) : std::string();
}

TEST(IrealRoundTrip, ChartsPlayTheSameThroughTheirLink) {
    const std::string charts[] = {
        // German notation: B is B flat, H B natural; the link spells them in English.
        "# Cradle\n[TEMPO=90]\nB | H7 | Eb/B | F#7/H |\n",
        // A count after the repeat sign, repeats that go back to a section, endings for two passes, section
        // words the format has no sign for, and a meter opening a section.
        "# Long Form\n[Intro]\n|: C | G7 :| x3\n[Chorus]\nF | Dm7 | [1.2.] G7 | C :|\n[3.] G7 | C |\n"
        "[Tag]\nAm | Dm7 | %% | Dm7 = G7 [FINE] |\n[Bridge]\n[3/4] E7 | Am [D.C. al Fine] |\n",
        // Three chords in four beats, holds on the beats and the sign that repeats two measures.
        "# Uneven\nD7 = D7/F# | G = = C | Am7 | D7 | %% | G |\n",
    };
    for (const std::string& chart : charts) {
        const std::string back = ThroughLink(chart);
        EXPECT_EQ(test::PlayedNotesForTest(back), test::PlayedNotesForTest(chart)) << chart << back;
    }
}

TEST(IrealExport, SaysWhatTheLinkCannotWrite) {
    const ChartReading reading =
        test::ReadChartForTest("[CHORD wide = 0 7 16]\nCwide | D7-9 | Eb = | [5/16] F |\n");
    ASSERT_TRUE(reading.Read()) << reading.error;
    EXPECT_EQ(InEnglish(reading.dropped),
              std::vector<std::string>{"the chart's own chord shape of Cwide, written as C"});
    EXPECT_EQ(
        InEnglish(LinkDifferences(reading.sheet.measures)),
        (std::vector<std::string>{"the chord D7-9, written as D7b9",
                                  "the hold (=) in measure 3, written as the chord before it played longer",
                                  "the meter 5/16 of measure 4, which has no sign in the format"}));
}

TEST(IrealStyle, TheStyleMarkIsTheSongsStyleAndBack) {
    EXPECT_EQ(StyleLine("Even 8ths"), "# Style: Even 8ths\n[STYLE=Even eighths / pop]");
    EXPECT_EQ(StyleLine("Polka Dots"), "# Style: Polka Dots");
    EXPECT_EQ(test::ReadChartForTest("# Song\n[STYLE=Bossa nova]\nC |\n").sheet.style, "Bossa Nova");
    // The header's name is kept where it plays the style of the mark.
    EXPECT_EQ(test::ReadChartForTest("# Song\n# Style: Bossa\n[STYLE=Bossa nova]\nC |\n").sheet.style,
              "Bossa");
    const ChartReading changing = test::ReadChartForTest("C | [STYLE=Funk] D |\n");
    EXPECT_EQ(InEnglish(changing.dropped),
              std::vector<std::string>{"the change to the style Funk at measure 2"});
}

}  // namespace
}  // namespace kaz
