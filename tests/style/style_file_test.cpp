#include "style/style_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "style/style_library.h"
#include "support/folder_test.h"

namespace kaz {
namespace {

constexpr const char* kGoodStyle =
    "# a groove\n"
    "name   Test groove\n"
    "swing  66% at 100 58% at 200\n"
    "chords piano 60\n"
    "meter 4/4\n"
    "comp   X . . x | . . x -\n"
    "bass   W W W W\n"
    "kick   x . x .\n";

TEST(StyleFile, ReadsPatternsWithLengthsAccentsAndMeasures) {
    const StyleReading reading = ParseStyle(kGoodStyle, "test.style");
    ASSERT_TRUE(reading.style) << reading.problem.Describe();
    const Style& style = *reading.style;
    EXPECT_EQ(style.name, "Test groove");
    EXPECT_EQ(style.Voice("comping")->program, 0);
    EXPECT_NEAR(style.swing.ShareAt(150), 0.62, 1e-9);
    const PatternRow& comp = style.meters.at(0).rows.at(0);
    EXPECT_EQ(comp.measures, 2);
    ASSERT_EQ(comp.hits.size(), 3U);
    EXPECT_EQ(comp.hits[0].weight, HitWeight::Accent);
    EXPECT_EQ(comp.hits[2].measure, 1);
    EXPECT_EQ(comp.hits[2].cell, 2);
    EXPECT_EQ(comp.hits[2].length, 2);
}

TEST(StyleFile, ReadsPartsVoicingsKitPushLightRowsAndChanceHits) {
    const StyleReading reading = ParseStyle(
        "chords piano 60 rootless\nguitar jazz-guitar drop2\nkit brushes\n"
        "push 30%\nmeter 4/4\ncomp x . . .\nguitar . x . .\n"
        "light bass R - 5 -\nbass R R R N\nsnare . ? . x\n",
        "parts.style");
    ASSERT_TRUE(reading.style) << reading.problem.Describe();
    const Style& style = *reading.style;
    EXPECT_EQ(style.Voice("comping")->voicing, Voicing::Rootless);
    EXPECT_EQ(style.Voice("guitar")->voicing, Voicing::Drop2);
    EXPECT_EQ(style.Voice("guitar")->program, 26);
    EXPECT_EQ(style.kit, DrumKit::Brushes);
    EXPECT_EQ(style.push, 30);
    const std::vector<PatternRow>& rows = style.meters.at(0).rows;
    EXPECT_EQ(rows.at(1).partId, "guitar");
    EXPECT_TRUE(rows.at(2).light);
    EXPECT_EQ(rows.at(3).hits.at(3).degree, BassDegree::Next);
    EXPECT_TRUE(rows.at(4).hits.at(0).chance);
    EXPECT_FALSE(rows.at(4).hits.at(1).chance);
}

TEST(StyleFile, NamesTheFileAndLineOfAProblem) {
    const struct {
        const char* text;
        const char* problem;
    } cases[] = {
        {"meter 4/4\nbanjo x . x .\n", "bad.style:2: unknown instrument 'banjo'"},
        {"chords kazoo\nmeter 4/4\ncomp x\n", "bad.style:1: unknown instrument 'kazoo'"},
        {"meter 4/4\nkick x . x . x\n",
         "bad.style:2: 'kick' has hits off the grid: 5 cells do not share 4 beats evenly like its first "
         "measure"},
        {"meter 4/4\nkick . . . .\n", "bad.style:2: 'kick' has an empty pattern: no hit in it"},
        {"meter 4/4\nkick |\n", "bad.style:2: 'kick' has an empty pattern"},
        {"name x\n", "bad.style: the style has no pattern: it needs a 'meter' line and rows below it"},
        {"meter 4/4\ncomp - x x x\n", "bad.style:2: 'comp' holds with '-' where no hit sounds"},
        {"chords piano 60 spread\n",
         "bad.style:1: unknown voicing 'spread': close, rootless, drop2, shell, power, high or pad"},
        {"meter 4/4\npad x . . .\n",
         "bad.style:2: the part 'pad' needs a line with its instrument before its rows"},
        {"meter 4/4\ncomp ? . . .\n", "bad.style:2: '?' is not a hit of a comp row"},
        {"push often\n", "bad.style:1: 'push' takes a share of the changes from 0% to 100%, not 'often'"},
        {"meter 4/4\nending kick x . . . | x . . .\n", "bad.style:2: an ending is one measure"},
    };
    for (const auto& [text, problem] : cases) {
        const StyleReading reading = ParseStyle(text, "bad.style");
        EXPECT_FALSE(reading.style) << text;
        EXPECT_EQ(reading.problem.Describe(), problem);
    }
}

class StyleFolderTest : public test::FolderTest {
  protected:
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
};

TEST_F(StyleFolderTest, LeavesOutABadOrHugeFileAndKeepsTheOthers) {
    Write("good.style", kGoodStyle);
    Write("bad.style", "meter 4/4\nkick x . x . x\n");
    Write("huge.style", std::string(kMaxStyleFileBytes + 1, '#'));
    const StyleLibrary library = LoadStyles({folder_, folder_ / "missing"});
    EXPECT_EQ(library.Names(), (std::vector<std::string>{std::string(kBlockChordsStyle), "Test groove"}));
    ASSERT_EQ(library.Problems().size(), 2U);
    EXPECT_EQ(library.Problems()[0].line, 2);
    EXPECT_EQ(library.Problems()[1].Describe(),
              (folder_ / "huge.style").string() + ": too large for a style (more than 64 KiB)");
}

TEST_F(StyleFolderTest, ALibraryReadWhenAskedReadsItsFoldersAtTheFirstQuestionForAStyle) {
    const auto library = StyleLibrary::ReadWhenAsked({folder_});
    // The block chords are no question for the files.
    EXPECT_EQ(library->Find(""), nullptr);
    EXPECT_TRUE(library->Knows(kBlockChordsStyle));
    Write("good.style", kGoodStyle);
    ASSERT_NE(library->Find("test groove"), nullptr);
    std::string later = kGoodStyle;
    Write("later.style", later.replace(later.find("Test"), 4, "Later"));
    // Read once: a file that comes later is for the next run.
    EXPECT_FALSE(library->Knows("Later groove"));
    EXPECT_TRUE(LoadStyles({folder_}).Knows("Later groove"));
}

TEST(StyleNames, MapOtherProgramsNamesOntoOurStyles) {
    EXPECT_EQ(StyleForForeignName("Medium Swing"), "Medium swing");
    EXPECT_EQ(StyleForForeignName("bossa nova"), "Bossa nova");
    EXPECT_EQ(StyleForForeignName("Even 8ths"), "Even eighths / pop");
    EXPECT_EQ(StyleForForeignName("Waltz"), "Jazz waltz");
    EXPECT_EQ(StyleForForeignName("Ballad"), "Jazz ballad");
    EXPECT_EQ(StyleForForeignName("Polka"), kBlockChordsStyle);
}

}  // namespace
}  // namespace kaz
