#include <gtest/gtest.h>

#include "interchange/song_import.h"

namespace kaz {
namespace {

TEST(SongImport, TellsTheFormatsApart) {
    EXPECT_EQ(DetectSongFormat("x.html", "<a href=\"irealb://T%3D\">"), SongFormat::IrealLink);
    EXPECT_EQ(DetectSongFormat("-", "<?xml version=\"1.0\"?><score-partwise>"), SongFormat::MusicXml);
    EXPECT_EQ(DetectSongFormat("-", "PK\x03\x04"), SongFormat::CompressedMusicXml);
    EXPECT_EQ(DetectSongFormat("song.cho", "{title: x}"), SongFormat::ChordPro);
    EXPECT_EQ(ImportSongs("x.bin", "\x01\x02").error,
              "not an iReal Pro link, a MusicXML file or a ChordPro file");
}

TEST(SongImport, TakesNoChartOrPictureForChordPro) {
    using namespace std::string_literals;
    EXPECT_EQ(DetectSongFormat("-", "[C]Hello [G7]world\n"), SongFormat::ChordPro);
    EXPECT_EQ(DetectSongFormat("notes.txt", "[A] Cmaj7 | Am7 |\n"), SongFormat::Unknown);
    EXPECT_EQ(DetectSongFormat("photo.jpg", "\xFF\xD8\0\0[C]"s), SongFormat::Unknown);
    EXPECT_EQ(ImportSongs("song.kaz", "[C] F |").error, "a Kaz chart already; open it as it is");
}

}  // namespace
}  // namespace kaz
