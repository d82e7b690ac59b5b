#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "chart/chart_layout.h"
#include "interchange/chart_text_writer.h"
#include "interchange/chordpro_reader.h"
#include "interchange/played_form.h"
#include "interchange/text_fields.h"

namespace kaz {
namespace {

TEST(ChordPro, LyricsStayLyricLinesWithTheirChordsInPlace) {
    const ImportedSongs songs = ReadChordPro(
        "{title: Lantern Song}\n{composer: Writer Tess}\n{key: G}\n{tempo: 90}\n"
        "{start_of_chorus}\n[G]Carry the [D/F#]light a[Em7]long\n{end_of_chorus}\n"
        "{comment: slower}\nno chords on this line\n[C]home [NC]\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(WriteChartText(songs.songs.front()),
              "# Lantern Song\n# Composer: Writer Tess\n# Key: G\n[KEY=G]\n[TEMPO=90]\n"
              "[Chorus]\n>[G]Carry the [D/F#]light a[Em7]long\n# slower\n# no chords on this line\n>[C]home "
              "[N.C.]\n");
}

TEST(ChordPro, ASongWithVersesARecalledChorusAndACapoIsAChartWithItsWords) {
    const ImportedSongs songs = ReadChordPro(
        "{title: Quay Song}\n{capo: 3}\n{start_of_verse: Verse 1}\n[G]Nets are [C]drying\nin the sun\n"
        "{end_of_verse}\n{start_of_chorus}\n[D]Row, [G]row\n{end_of_chorus}\n{start_of_verse: Verse 2}\n"
        "[G]Gulls are [C]crying\n{end_of_verse}\n{chorus}\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    const std::string chart = WriteChartText(songs.songs.front());
    EXPECT_NE(chart.find("\n#kaz:capo=3\n"), std::string::npos) << chart;
    const std::shared_ptr<const CompiledChart> compiled = Compile(chart);
    ASSERT_TRUE(compiled->Accepted()) << chart;
    const ChartLayout layout = LayOutChart(compiled->score, compiled->text);
    ASSERT_EQ(layout.rows.size(), 4U) << chart;
    EXPECT_EQ(layout.chords[0].words, "Nets are");
    EXPECT_EQ(layout.rows[0].lyrics, std::vector<std::string>{"in the sun"});
    EXPECT_EQ(layout.chords[6].words, "Row,");
    // The shapes G C D with the capo on 3 sound in B flat.
    EXPECT_EQ(test::PlayedFormForTest(chart), "Bb | Eb | F | Bb | Bb | Eb | F | Bb");
}

TEST(ChordPro, AGridGivesItsMeasures) {
    const ImportedSongs songs = ReadChordPro(
        "{t: Grid}\n{time: 3/4}\n{start_of_grid}\nIntro |: C . . | G7 . C :| % . . |\n{end_of_grid}\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(WriteChartText(songs.songs.front()), "# Grid\n|: [Intro] [3/4] C | G7 = C :| % |\n");
}

TEST(ChordPro, EverySongOfAFileAndNoneWithoutChords) {
    const ImportedSongs songs = ReadChordPro("{t: One}\n[A]a\n{new_song}\n{t: Two}\n[B]b\n");
    ASSERT_EQ(songs.songs.size(), 2U);
    EXPECT_EQ(songs.songs[1].title, "Two");
    EXPECT_EQ(ReadChordPro("{t: Words}\njust words\n").error.English(),
              "no chords found in the ChordPro file");
}

TEST(ChordPro, TheHeaderKeepsWhatEachDirectiveMeans) {
    const ImportedSongs songs = ReadChordPro(
        "{title: Harbour Lights}\n{subtitle: slow version}\n{artist: The Quay Band}\n{composer: Writer "
        "Tess}\n"
        "{key: D}\n{tempo: 72}\n{time: 6/8}\n{capo: 2}\n[D]Lights [A/C#]on the [Bm]water\n{time: "
        "9/8}\n[G]home\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(
        WriteChartText(songs.songs.front()),
        "# Harbour Lights\n# Composer: Writer Tess\n# Key: E\n[KEY=E]\n# Subtitle: slow version\n"
        "# Artist: The Quay Band\n# Capo 2: the chords are written here as they sound\n#kaz:capo=2\n"
        "[TEMPO=72]\n[6/8]\n>[E]Lights [B/D#]on the [C#m]water\n[9/8]\n>[A]home\n#kaz:notation=english\n");
}

std::vector<std::string> ChordsOf(const LeadSheet& song) {
    std::vector<std::string> chords;
    for (const SheetMeasure& measure : song.measures) {
        chords.insert(chords.end(), measure.chords.begin(), measure.chords.end());
    }
    return chords;
}

TEST(ChordPro, ACapoMovesTheShapesUpToWhatSoundsSpelledByTheKey) {
    // Shapes in G with the capo on 3 sound in B flat; without a key the chords tell it (E shapes, capo 1: F).
    ImportedSongs songs = ReadChordPro("{key: G}\n{capo: 3}\n[G]Low [D/F#]tide, [Em7]slow [Cadd9]ride\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(songs.songs.front().key, "Bb");
    EXPECT_THAT(ChordsOf(songs.songs.front()), testing::ElementsAre("Bb", "F/A", "Gm7", "Ebadd9"));
    songs = ReadChordPro("{capo: 1}\n[E]one [A]two [B7]three [E6/9]four\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_THAT(ChordsOf(songs.songs.front()), testing::ElementsAre("F", "Bb", "C7", "F6/9"));
}

TEST(ChordPro, SectionsKeepTheirNamesAndTheChorusIsRecalled) {
    const ImportedSongs songs = ReadChordPro(
        "{start_of_verse: Verse 2}\n[C]one [F]two\n{end_of_verse}\n"
        "{start_of_chorus}\n[G]sing [C]out\n{end_of_chorus}\n"
        "{start_of_verse label=\"Strophe\"}\n[Am]three\n{end_of_verse}\n{comment: Outro}\n[C]home a[G]gain\n"
        "{chorus: Final}\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    const std::string chart = WriteChartText(songs.songs.front());
    EXPECT_NE(chart.find("[Verse 2]\n>[C]one [F]two\n"), std::string::npos) << chart;
    EXPECT_NE(chart.find("[Strophe]\n>[Am]three\n"), std::string::npos) << chart;
    EXPECT_NE(chart.find("[Outro]\n>[C]home a[G]gain\n"), std::string::npos) << chart;
    EXPECT_NE(chart.find("# Final\n[Chorus]\n>[G]sing [C]out\n"), std::string::npos) << chart;
    EXPECT_EQ(test::PlayedFormForTest(chart), "C | F | G | C | Am | C | G | G | C");
}

TEST(ChordPro, WhatTheChartCannotHoldIsSaidOnce) {
    const ImportedSongs songs = ReadChordPro(
        "{t: Notes}\n{textfont: Serif}\n{new_page}\n{textfont: Sans}\n{transpose: 2}\n{x_app: private}\n"
        "{define: Cadd9 base-fret 1 frets x 3 2 0 3 "
        "0}\n{chorus}\n{start_of_tab}\ne|--3--[C]--|\n{end_of_tab}\n"
        "[C(add9)]one [Riff]two [H7]three\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(
        InEnglish(songs.problems),
        (std::vector<std::string>{
            "the chord diagrams ({define})", "{chorus} in line 8 before any chorus with chords",
            "the page layout ({textfont}, {new_page})", "the directives Kaz does not know ({transpose})",
            "chord names Kaz does not read, kept in the words (Riff)"}));
    EXPECT_EQ(WriteChartText(songs.songs.front()),
              "# Notes\n# e|--3--[C]--|\n>[C(add9)]one (Riff)two [H7]three\n");
}

TEST(ChordPro, NoLineOfTheChartIsLongerThanAWindowTakes) {
    std::string grid = "{start_of_grid}\n";
    for (int i = 0; i < 20000; ++i) {
        grid += "| C . G . ";
    }
    const ImportedSongs songs = ReadChordPro(grid + "|\n{end_of_grid}\n[D]" + std::string(50000, 'a') + "\n");
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    const std::string chart = WriteChartText(songs.songs.front());
    std::size_t longest = 0;
    for (std::size_t start = 0; start < chart.size();) {
        const std::size_t end = chart.find('\n', start);
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    EXPECT_LE(longest, kMaxRemarkCharacters + 2);
    EXPECT_EQ(songs.songs.front().measures.size(), 20001U);
}

}  // namespace
}  // namespace kaz
