#include "interchange/import_check.h"

#include <gtest/gtest.h>

#include "style/style_library.h"

namespace kaz {
namespace {

LeadSheet Song(const std::string& title, std::vector<std::string> chords) {
    LeadSheet song;
    song.title = title;
    SheetMeasure measure;
    measure.chords = std::move(chords);
    song.measures.push_back(std::move(measure));
    return song;
}

std::shared_ptr<const StyleLibrary> ShippedStyles() {
    return std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
}

TEST(ImportCheck, LeavesOutTheSongsWhoseChartsWouldNotCompileOrOpenAndNamesThem) {
    ImportedSongs imported;
    imported.problems.push_back({"song %1 is cut short", {"2"}});
    imported.songs = {Song("First", {"Cmaj7"}), Song("Odd", {"Cxyz"}), Song("", {"-"}), Song("Swung", {"F7"}),
                      Song(std::string(3200, 'T'), {"G"})};
    imported.songs[3].style = "Medium Swing";  // written as a style mark, which the shipped styles know
    ASSERT_TRUE(KeepChartsThatOpen(imported, ShippedStyles()));
    ASSERT_EQ(imported.songs.size(), 2u);
    EXPECT_EQ(imported.songs[0].title, "First");
    EXPECT_EQ(imported.songs[1].title, "Swung");
    ASSERT_EQ(imported.problems.size(), 4u);
    EXPECT_EQ(imported.problems[0].English(), "song 2 is cut short");
    EXPECT_EQ(imported.problems[1].English(), "\"Odd\" does not compile: line 2: Unknown chord: `Cxyz`");
    EXPECT_EQ(imported.problems[2].English(), "song 3 (untitled) has no chord to play");
    EXPECT_EQ(imported.problems[3].English(),
              "\"" + std::string(60, 'T') +
                  "\u2026\" has a line of 3202 characters, and a chart's lines hold at "
                  "most 3000");
}

TEST(ImportCheck, StopsWhenCancelled) {
    ImportedSongs imported;
    imported.songs = {Song("One", {"C"}), Song("Two", {"D"}), Song("Three", {"E"})};
    std::size_t asked = 0;
    EXPECT_FALSE(KeepChartsThatOpen(imported, ShippedStyles(), [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 3u);
        ++asked;
        return done < 1;
    }));
    EXPECT_EQ(asked, 2u);
}

}  // namespace
}  // namespace kaz
