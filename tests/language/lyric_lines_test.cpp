#include <gtest/gtest.h>

#include <string>

#include "chart/chart_layout.h"
#include "language/compile_score.h"
#include "language/transpose_score.h"
#include "render/event_list.h"

namespace kaz {
namespace {

//! The performance as event lines, without the highlights, which point into the text; or why it does not
//! compile.
std::string Sounds(std::string_view text) {
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(text));
    if (!compiled->Accepted()) {
        return "does not compile: " + compiled->result.error.message;
    }
    std::string lines;
    for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
        if (compiled->performance[i].kind != EventKind::Highlight) {
            AppendEventLine(lines, compiled->performance[i]);
        }
    }
    return lines;
}

ChartLayout LaidOut(std::string_view text) {
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(text));
    EXPECT_TRUE(compiled->Accepted()) << text;
    return LayOutChart(compiled->score, text);
}

TEST(LyricLines, WordsAloneChangeNothingThatSounds) {
    const std::string chords = "# Harbour - a test\n[Verse]\n| G | D/F# | Em | C |\n| G | D | G | G |\n";
    const std::string sung =
        "# Harbour - a test\n[Verse]\n| G | D/F# | Em | C |\n>Lanterns low on the quay,\n"
        ">second time | round\n| G | D | G | G |\n>home again\n";
    EXPECT_EQ(Sounds(sung), Sounds(chords));
    EXPECT_EQ(Sounds(chords).find("does not compile"), std::string::npos);
}

TEST(LyricLines, ChordsInTheWordsMakeTheMeasuresAMusicianCounts) {
    // One bracket a measure; two chords in a bracket share it.
    EXPECT_EQ(Sounds(">Oh, [G]lanterns [D/F#]low on the [Em C]quay\n"), Sounds("| G | D/F# | Em C |\n"));
    // With a bar line the bar lines divide the measures, however many brackets stand between them.
    EXPECT_EQ(Sounds(">[G]Lanterns [D]low | [C]on the [G]quay |\n"), Sounds("| G D | C G |\n"));
    EXPECT_EQ(Sounds(">[G]Lanterns [Q]low\n").substr(0, 17), "does not compile:");
}

TEST(LyricLines, WordsGoUnderTheirChordsAndLinesUnderTheRowAbove) {
    const ChartLayout layout =
        LaidOut("| C | F |\n>first verse\n>second verse\n>Oh, [G]lanterns [D7]low | tonight\n");
    ASSERT_EQ(layout.rows.size(), 2U);
    EXPECT_EQ(layout.rows[0].lyrics, (std::vector<std::string>{"first verse", "second verse"}));
    EXPECT_FALSE(layout.rows[0].wordsUnderChords);
    EXPECT_TRUE(layout.rows[1].wordsUnderChords);
    EXPECT_EQ(layout.chords[2].words, "Oh, lanterns");
    EXPECT_EQ(layout.chords[3].words, "low tonight");
}

TEST(LyricLines, TheLineSungIsTheRowsWordsThenAVerseAPass) {
    const ChartLayout layout = LaidOut(">[G]Sail a[D/F#]way to[C]night\n>second verse here\n| Em | C |\n");
    EXPECT_EQ(SungLine(layout, 1, 1), "Sail away tonight");
    EXPECT_EQ(SungLine(layout, 2, 2), "second verse here");
    EXPECT_EQ(SungLine(layout, 0, 5), "second verse here");
    EXPECT_EQ(SungLine(layout, 3, 1), "");
}

TEST(LyricLines, TranspositionMovesTheChordsAndKeepsTheWords) {
    const std::shared_ptr<const CompiledChart> compiled = Compile(">[G]Sail a[D/F#]way tonight\n");
    const Transposition moved = TransposeChart(*compiled, [](const TransposeOffer&) {
        return TransposeResult{2, {}, true};
    });
    EXPECT_EQ(moved.text, ">[A]Sail a[E/G#]way tonight\n");
}

}  // namespace
}  // namespace kaz
