#include <gtest/gtest.h>

#include "interchange/chart_text_writer.h"
#include "interchange/chordpro_reader.h"

namespace kaz {
namespace {

TEST(ChordPro, OneMeasureAChordWithTheLyricsAsComments) {
    const ImportedSongs songs = ReadChordPro(
        "{title: Lantern Song}\n{artist: Writer Tess}\n{key: G}\n{tempo: 90}\n"
        "{start_of_chorus}\n[G]Carry the [D/F#]light a[Em7]long\n{end_of_chorus}\n"
        "{comment: slower}\nno chords on this line\n[C]home [NC]\n");
    ASSERT_TRUE(songs.Read()) << songs.error;
    EXPECT_EQ(
        WriteChartText(songs.songs.front()),
        "# Lantern Song\n# Composer: Writer Tess\n# Key: G\n[KEY=G]\n[TEMPO=90]\n"
        "# Carry the light along\n[Chorus] G | D/F# | Em7 |\n# slower\n# no chords on this line\n# home\n"
        "C | N.C. |\n");
}

TEST(ChordPro, AGridGivesItsMeasures) {
    const ImportedSongs songs = ReadChordPro(
        "{t: Grid}\n{time: 3/4}\n{start_of_grid}\nIntro |: C . . | G7 . C :| % . . |\n{end_of_grid}\n");
    ASSERT_TRUE(songs.Read()) << songs.error;
    EXPECT_EQ(WriteChartText(songs.songs.front()), "# Grid\n|: [3/4] C | G7 = C :| % |\n");
}

TEST(ChordPro, EverySongOfAFileAndNoneWithoutChords) {
    const ImportedSongs songs = ReadChordPro("{t: One}\n[A]a\n{new_song}\n{t: Two}\n[B]b\n");
    ASSERT_EQ(songs.songs.size(), 2U);
    EXPECT_EQ(songs.songs[1].title, "Two");
    EXPECT_EQ(ReadChordPro("{t: Words}\njust words\n").error, "no chords found in the ChordPro file");
}

}  // namespace
}  // namespace kaz
