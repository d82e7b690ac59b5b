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
    EXPECT_EQ(style.chords.program, 0);
    EXPECT_NEAR(style.swing.ShareAt(150), 0.62, 1e-9);
    const PatternRow& comp = style.meters.at(0).rows.at(0);
    EXPECT_EQ(comp.measures, 2);
    ASSERT_EQ(comp.hits.size(), 3U);
    EXPECT_EQ(comp.hits[0].weight, HitWeight::Accent);
    EXPECT_EQ(comp.hits[2].measure, 1);
    EXPECT_EQ(comp.hits[2].cell, 2);
    EXPECT_EQ(comp.hits[2].length, 2);
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
    EXPECT_EQ(StyleForForeignName("Ballad"), "Slow swing / ballad");
    EXPECT_EQ(StyleForForeignName("Polka"), kBlockChordsStyle);
}

}  // namespace
}  // namespace kaz
