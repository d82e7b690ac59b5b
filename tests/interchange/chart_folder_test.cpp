#include "interchange/chart_folder.h"

#include <gtest/gtest.h>

#include "support/folder_test.h"

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

class ChartFolder : public test::FolderTest {};

TEST_F(ChartFolder, NumbersSongsOfOneTitlePastTheNamesTaken) {
    std::vector<LeadSheet> songs(4);
    songs[1].title = "Blues (2)";
    for (LeadSheet& song : songs) {
        song.title = song.title.empty() ? "Blues" : song.title;
    }
    const FolderWriting writing = WriteChartsIntoFolder(folder_, songs, false);
    std::vector<std::string> names;
    for (const auto& path : writing.written) {
        names.push_back(path.filename().string());
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Blues.kaz", "Blues (2).kaz", "Blues (3).kaz", "Blues (4).kaz"}));
}

TEST_F(ChartFolder, StopsBetweenTwoSongsWhenCancelled) {
    const std::vector<LeadSheet> songs(5);
    const FolderWriting writing =
        WriteChartsIntoFolder(folder_, songs, false, [](std::size_t done, std::size_t) { return done < 2; });
    EXPECT_TRUE(writing.cancelled);
    EXPECT_EQ(writing.written.size(), 2u);
    EXPECT_TRUE(writing.failures.empty());
}

}  // namespace
}  // namespace kaz
