#include <gtest/gtest.h>

#include "interchange/song_formats.h"
#include "interchange/song_import.h"

namespace kaz {
namespace {

TEST(SongFormats, TellsTheFormatsApart) {
    EXPECT_EQ(DetectSongFormat("x.html", "<a href=\"irealb://T%3D\">"), SongFormat::IrealLink);
    EXPECT_EQ(DetectSongFormat("-", "<?xml version=\"1.0\"?><score-partwise>"), SongFormat::MusicXml);
    EXPECT_EQ(DetectSongFormat("-", "PK\x03\x04"), SongFormat::CompressedMusicXml);
    EXPECT_EQ(DetectSongFormat("song.cho", "{title: x}"), SongFormat::ChordPro);
    EXPECT_EQ(ImportSongs("x.bin", "\x01\x02").error,
              "not an iReal Pro link, a MusicXML file or a ChordPro file");
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
    EXPECT_EQ(ImportSongs("song.kaz", "[C] F |").error, "a Kaz chart already; open it as it is");
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
