#include <gtest/gtest.h>

#include "interchange/song_import.h"

namespace kaz {
namespace {

TEST(ChartFileName, NeverLeavesTheFolderOrHidesTheFile) {
    EXPECT_EQ(ChartFileName("../../x"), "x.kaz");
    EXPECT_EQ(ChartFileName("/etc/passwd"), "etc-passwd.kaz");
    EXPECT_EQ(ChartFileName("a\\b:c*d?\"e<f>g|h\ni"), "a-b-c-d--e-f-g-h-i.kaz");
    EXPECT_EQ(ChartFileName(".hidden"), "hidden.kaz");
    EXPECT_EQ(ChartFileName(".."), "Untitled.kaz");
    EXPECT_EQ(ChartFileName(""), "Untitled.kaz");
    EXPECT_EQ(ChartFileName("nul"), "nul_.kaz");
    EXPECT_EQ(ChartFileName("Caf\xC3\xA9 Noir"), "Caf\xC3\xA9 Noir.kaz");
    // Long titles are cut at a whole character.
    const std::string name = ChartFileName(std::string(99, 'a') + "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(name, std::string(99, 'a') + ".kaz");
}

TEST(SongImport, TellsTheFormatsApart) {
    EXPECT_EQ(DetectSongFormat("x.html", "<a href=\"irealb://T%3D\">"), SongFormat::IrealLink);
    EXPECT_EQ(DetectSongFormat("-", "<?xml version=\"1.0\"?><score-partwise>"), SongFormat::MusicXml);
    EXPECT_EQ(DetectSongFormat("-", "PK\x03\x04"), SongFormat::CompressedMusicXml);
    EXPECT_EQ(DetectSongFormat("song.cho", "{title: x}"), SongFormat::ChordPro);
    EXPECT_EQ(ImportSongs("x.bin", "\x01\x02").error,
              "not an iReal Pro link, a MusicXML file or a ChordPro file");
}

}  // namespace
}  // namespace kaz
