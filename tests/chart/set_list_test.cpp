#include "chart/set_list.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(SetList, ReadsSongsWithTheirKeysAndTemposAndSaysWhatItCannotRead) {
    const SetList list = ReadSetList(
        "\xEF\xBB\xBF# Friday at the Harbour\r\n"
        "blue moon.kaz\r\n"
        "\n"
        "# after the break\n"
        "../standards/autumn-leaves.kaz   [KEY=Gm] [tempo=120]\n"
        "songs/[live] take.kaz\n"
        "/home/gig/closer.kaz [KEY=H] [TEMPO=900] [CAPO=2]\n");
    EXPECT_EQ(list.title, "Friday at the Harbour");
    ASSERT_EQ(list.songs.size(), 4U);
    EXPECT_EQ(list.songs[0], (SetListSong{"blue moon.kaz", std::nullopt, "", 0}));
    EXPECT_EQ(list.songs[1], (SetListSong{"../standards/autumn-leaves.kaz", MusicalKey{7, true}, "Gm", 120}));
    EXPECT_EQ(list.songs[2].path, "songs/[live] take.kaz");
    EXPECT_EQ(list.songs[3].path, "/home/gig/closer.kaz");
    EXPECT_FALSE(list.songs[3].key);
    EXPECT_EQ(list.songs[3].tempo, 0);
    EXPECT_EQ(
        InEnglish(list.problems),
        (std::vector<std::string>{"line 7: [CAPO=2] is no mark of a set list ([KEY=…] or [TEMPO=…])",
                                  "line 7: [TEMPO=900] is not a tempo from 20 to 300",
                                  "line 7: [KEY=H] is not a key (write it like [KEY=Eb] or [KEY=F#m])"}));
    // What is read is written back as it was read.
    EXPECT_EQ(ReadSetList(WriteSetList(list)).songs, list.songs);
}

TEST(SetList, ASongMovesTheNearerWayToItsKeyKeepingItsMode) {
    const auto shift = [](std::string_view key, MusicalKey chart) {
        return SetListShift({"x.kaz", ReadSetListKey(key), std::string(key), 0}, chart);
    };
    EXPECT_EQ(shift("D", {0, false}), 2);
    EXPECT_EQ(shift("G", {0, false}), -5);
    EXPECT_EQ(shift("F#", {0, false}), 6);
    EXPECT_EQ(shift("Bb", {0, false}), -2);
    EXPECT_EQ(shift("Em", {9, true}), -5);
    // A minor chart asked for in C is asked for in A minor, its relative.
    EXPECT_EQ(shift("C", {9, true}), 0);
    EXPECT_EQ(shift("Em", {0, false}), -5);
}

SetListSong SongAt(std::string path) {
    SetListSong song;
    song.path = std::move(path);
    return song;
}

TEST(SetList, PathsAreFromTheListsFolderUnlessAbsolute) {
    EXPECT_EQ(SongPath("/gigs/friday.kazset", SongAt("songs/a.kaz")), "/gigs/songs/a.kaz");
    EXPECT_EQ(SongPath("/gigs/friday.kazset", SongAt("../b.kaz")), "/b.kaz");
    EXPECT_EQ(SongPath("/gigs/friday.kazset", SongAt("/c.kaz")), "/c.kaz");
}

}  // namespace
}  // namespace kaz
