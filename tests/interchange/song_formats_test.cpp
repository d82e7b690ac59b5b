#include <gtest/gtest.h>

#include "interchange/chart_text_writer.h"
#include "interchange/played_form.h"
#include "interchange/song_formats.h"
#include "interchange/song_import.h"

namespace kaz {
namespace {

TEST(SongFormats, TellsTheFormatsApart) {
    EXPECT_EQ(DetectSongFormat("x.html", "<a href=\"irealb://T%3D\">"), SongFormat::IrealLink);
    EXPECT_EQ(DetectSongFormat("-", "<?xml version=\"1.0\"?><score-partwise>"), SongFormat::MusicXml);
    EXPECT_EQ(DetectSongFormat("-", "PK\x03\x04"), SongFormat::CompressedMusicXml);
    EXPECT_EQ(DetectSongFormat("song.cho", "{title: x}"), SongFormat::ChordPro);
    EXPECT_EQ(ImportSongs("x.bin", "\x01\x02").error.English(),
              "not an iReal Pro link, a MusicXML file, a ChordPro file or a chord sheet");
}

TEST(SongFormats, TakesNoChartOrPictureForChordPro) {
    using namespace std::string_literals;
    EXPECT_EQ(DetectSongFormat("-", "[C]Hello [G7]world\n"), SongFormat::ChordPro);
    EXPECT_EQ(DetectSongFormat("-", "Sail a[D/F#]way\n"), SongFormat::ChordPro);
    EXPECT_EQ(DetectSongFormat("-", "# A song\n  {title: Harbour}\n"), SongFormat::ChordPro);
    EXPECT_EQ(DetectSongFormat("notes.txt", "[A] Cmaj7 | Am7 |\n"), SongFormat::Unknown);
    EXPECT_EQ(DetectSongFormat("notes.txt", "[3/4] C D\n[TEMPO=90]\n"), SongFormat::Unknown);
    EXPECT_EQ(DetectSongFormat("notes.txt", "# see {title} below\nC | F |\n"), SongFormat::Unknown);
    EXPECT_EQ(DetectSongFormat("photo.jpg", "\xFF\xD8\0\0[C]"s), SongFormat::Unknown);
    EXPECT_EQ(ImportSongs("song.kaz", "[C] F |").error.English(), "a Kaz chart already; open it as it is");
    EXPECT_EQ(DetectSongFormat("notes.txt", ">[G]Sail a[D]way\n"), SongFormat::Unknown);
}

TEST(SongFormats, AChordSheetImportsAsAChartThatCompiles) {
    const std::string sheet =
        "Quay Song\n\n[Verse 1]\nG        C\nNets are drying\nD              G\nin the morning sun\n\n"
        "Chorus:\nC   G\nRow away\n";
    EXPECT_EQ(DetectSongFormat("quay.txt", sheet), SongFormat::ChordSheet);
    const ImportedSongs songs = ImportSongs("quay.txt", sheet);
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(songs.songs.front().title, "Quay Song");
    const std::string chart = WriteChartText(songs.songs.front());
    EXPECT_NE(chart.find("[Verse 1]\n>[G]Nets are [C]drying\n>[D]in the morning [G]sun\n[Chorus]\n"),
              std::string::npos)
        << chart;
    EXPECT_EQ(test::PlayedFormForTest(chart), "G | C | D | G | C | G");
    // Chords without bar lines are a chart, not a sheet: no line of words is sung to them.
    EXPECT_EQ(DetectSongFormat("notes.txt", "C G Am F\n# slow\nDm G C C\n"), SongFormat::Unknown);
}

TEST(SongFormats, AChordSheetsCapoAndKeyLinesAreTheChartsCapoAndKey) {
    const std::string sheet = "Quay Song\nCapo 2nd fret\nKey: G\n\nG        D/F#\nNets are drying\n";
    const ImportedSongs songs = ImportSongs("quay.txt", sheet);
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(songs.songs.front().capo, 2);
    EXPECT_EQ(songs.songs.front().key, "A");
    EXPECT_EQ(test::PlayedFormForTest(WriteChartText(songs.songs.front())), "A | E/G#");
    // A capo past the eleventh fret, or words after it, stay words.
    EXPECT_EQ(ImportSongs("quay.txt", "Capo 14\nG\nNets\n").songs.front().capo, 0);
    EXPECT_EQ(ImportSongs("quay.txt", "Capo is optional\nG\nNets\n").songs.front().capo, 0);
}

TEST(SongFormats, EveryNameInTheTableIsReadAsItsFormat) {
    for (const SongFileFormat& entry : SongFileFormats()) {
        for (const std::string_view suffix : entry.suffixes) {
            if (suffix == kPlainTextSuffix) {
                EXPECT_FALSE(IsImportSuffix(suffix));
                continue;
            }
            EXPECT_EQ(IsImportSuffix(suffix), entry.format != SongFormat::KazChart) << suffix;
            if (entry.format != SongFormat::IrealLink) {
                EXPECT_EQ(DetectSongFormat("Song." + std::string(suffix), "{title: x}\n"), entry.format)
                    << suffix;
            }
        }
    }
    EXPECT_EQ(LowercaseSuffix("dir.v2/Song.CRD"), "crd");
    EXPECT_EQ(LowercaseSuffix("dir.v2/README"), "");
}

}  // namespace
}  // namespace kaz
