#include "interchange/chart_folder.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kaz
