#include "interchange/chordpro_writer.h"

#include <gtest/gtest.h>

#include "interchange/chart_reading.h"
#include "interchange/chart_text_writer.h"
#include "interchange/chordpro_reader.h"

namespace kaz {
namespace {

using test::PlayedNotesForTest;
using test::ReadChartForTest;

//! The chart Kaz writes for a ChordPro file, as the import writes it.
std::string ImportedChart(const std::string& chordPro) {
    const ImportedSongs songs = ReadChordPro(chordPro);
    EXPECT_EQ(songs.songs.size(), 1u) << songs.error.English();
    return songs.songs.empty() ? std::string() : WriteChartText(songs.songs.front());
}

// A verse sung over its chords, a chorus sung twice alike, a row of chords with a line of words under it, a
// capo and a key: the file a guitarist's songbook reads, and the same song when Kaz reads it back.
constexpr const char* kSong =
    "# Lantern Quay\n[TEMPO=92]\n[KEY=A]\n[Verse 1]\n>Oh, [A]lanterns low a[E/G#]long the [F#m]quay\n"
    "[Chorus]\n>[D]Sing it [A]out, [E]sing it [F#m D]loud\n"
    "[Bridge]\n[3/4] Bm7 | E7 | A | A |\n>Hum along\n[Chorus]\n>[D]Sing it [A]out, [E]sing it [F#m D]loud\n"
    "#kaz:capo=2\n";

TEST(ChordProWriter, WritesTheLyricsWithTheirChordsTheShapesForTheCapoAndTheChorusOnce) {
    const ChartReading reading = ReadChartForTest(kSong);
    ASSERT_TRUE(reading.Read()) << reading.error;
    EXPECT_EQ(WriteChordPro(reading.sheet),
              "{title: Lantern Quay}\n{key: G}\n{tempo: 92}\n{capo: 2}\n"
              "\n{start_of_verse: Verse 1}\nOh, [G]lanterns low a[D/F#]long the [Em]quay\n{end_of_verse}\n"
              "\n{start_of_chorus: Chorus}\n[C]Sing it [G]out, [D]sing it [Em][C]loud\n{end_of_chorus}\n"
              "\n{time: 3/4}\n{start_of_grid: label=\"Bridge\"}\n| Am7 | D7 | G | G |\n{end_of_grid}\n"
              "Hum along\n"
              "\n{chorus}\n");
    EXPECT_TRUE(ChordProDifferences(reading.sheet).empty());
}

TEST(ChordProWriter, ASongReadBackPlaysAsTheChartAndKeepsItsWords) {
    const ChartReading reading = ReadChartForTest(kSong);
    ASSERT_TRUE(reading.Read()) << reading.error;
    const std::string back = ImportedChart(WriteChordPro(reading.sheet));
    EXPECT_EQ(PlayedNotesForTest(back), PlayedNotesForTest(kSong)) << back;
    for (const char* kept : {"#kaz:capo=2", "[KEY=A]", ">Oh, [A]lanterns low a[E/G#]long the [F#m]quay",
                             "Hum along", "[Bridge]"}) {
        EXPECT_NE(back.find(kept), std::string::npos) << kept << " in\n" << back;
    }
}

TEST(ChordProWriter, SaysWhatTheFormatCannotHold) {
    const ChartReading reading =
        ReadChartForTest("|: C [Fine] | [1.] F :| [2.] G [D.C. al Fine] |\n>| [C]Row a[G]way | [F]home |\n");
    ASSERT_TRUE(reading.Read()) << reading.error;
    const std::vector<std::string> said = InEnglish(ChordProDifferences(reading.sheet));
    EXPECT_EQ(said, (std::vector<std::string>{
                        "FINE in measure 1", "the ending 1. in measure 2", "the ending 2. in measure 3",
                        "D.C. al Fine in measure 3",
                        "the bar lines of the sung measure 4, whose chords are read back a measure each"}));
}

TEST(ChordProWriter, SaysItCannotNameTheStyleOrHoldAChordLonger) {
    const ChartReading reading = ReadChartForTest("[STYLE=Bossa nova]\nC = | D = E |\n");
    ASSERT_TRUE(reading.Read()) << reading.error;
    EXPECT_EQ(InEnglish(ChordProDifferences(reading.sheet)),
              (std::vector<std::string>{
                  "the style Bossa Nova, which ChordPro does not name",
                  "the hold (=) in measure 1, written as the chord before it played longer"}));
    EXPECT_NE(WriteChordPro(reading.sheet).find("| C . | D . E |"), std::string::npos);
}

}  // namespace
}  // namespace kaz
