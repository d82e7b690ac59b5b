// A bracket that reads as a mark written wrong is an error that says how to write the mark; any other error
// in a bracket stays the parser's own.
#include <gtest/gtest.h>

#include <string>

#include "language/compile_score.h"

namespace kaz {
namespace {

LanguageError ErrorOf(const std::string& chart) {
    const CompileResult result = Compile(chart)->result;
    EXPECT_EQ(result.outcome, CompileOutcome::LanguageError) << chart;
    return result.error;
}

TEST(MisspeltMarks, SayHowToWriteTheMark) {
    const struct {
        const char* chart;
        const char* written;
    } slips[] = {
        {"[TEMPO 120] C |\n", "[TEMPO=120]"},
        {"[TEMP=96] C |\n", "[TEMPO=96]"},
        {"[TMEPO=96]\nC |\n", "[TEMPO=96]"},
        {"[tempo=60.]\n[6/8] C |\n", "[TEMPO=60.]"},
        {"[TEMPO:90]\nC |\n", "[TEMPO=90]"},
        {"[BPM=140]\nC |\n", "[TEMPO=140]"},
        {"[Tempo=schnell]\nC |\n", "[TEMPO=120]"},
        {"[STYL=Jazz waltz]\n[3/4] C |\n", "[STYLE=Jazz waltz]"},
        {"[KEY Eb] Eb |\n", "[KEY=Eb]"},
        {"[Tonart=Es]\nEs |\n", "[KEY=Es]"},
        {"[KEYS=D]\nD |\n", "[KEY=D]"},
        {"[CHORDS x = 0 4 7]\nCx |\n", "[CHORD x = 0 4 7]"},
        {"[Chord x = 0 4 7]\nCx |\n", "[CHORD x = 0 4 7]"},
    };
    for (const auto& slip : slips) {
        const LanguageError error = ErrorOf(slip.chart);
        EXPECT_EQ(error.message, "A mark written wrong (write " + std::string(slip.written) + ")")
            << slip.chart;
        const std::string chart = slip.chart;
        EXPECT_EQ(error.text, chart.substr(0, chart.find(']') + 1)) << slip.chart;
        EXPECT_EQ(error.selection, (TextRange{0, static_cast<int>(chart.find(']')) + 1})) << slip.chart;
    }
    // A bracket left open is quoted to its line's end.
    EXPECT_EQ(ErrorOf("C |\n[TEMPO 120\nD |\n").text, "[TEMPO 120");
}

TEST(MisspeltMarks, AMarkWrittenRightKeepsItsOwnError) {
    // A wrong value, or a mark in the wrong place, is not a misspelt mark.
    EXPECT_EQ(ErrorOf("[TEMPO=abc]\nC |\n").message, "Unexpected symbol");
    EXPECT_EQ(ErrorOf("[CHORD x = 1 2 3 4 5 6 7]\nC |\n").message, "Unexpected symbol");
    EXPECT_EQ(ErrorOf("[4/4] [TEMPO=90] |: C\n").message, "Unexpected symbol");
    EXPECT_EQ(ErrorOf("[TEMPO=400]\nC |\n").message, "Invalid tempo");
    // A word that is no mark's.
    EXPECT_EQ(ErrorOf("[Teil=B] C |\n").message, "Unexpected symbol");
}

TEST(MisspeltMarks, SectionsOfAnyNameStaySections) {
    for (const char* chart : {"[Strophe] C |\n", "[Vorspiel] C |\n", "[Refrain] C |\n", "[Verse 2] C |\n",
                              "[Bridge] C |\n", "[Tempo] C |\n", "[Keyboard solo] C |\n", "[KEYS] C |\n"}) {
        const auto compiled = Compile(chart);
        ASSERT_TRUE(compiled->Accepted()) << chart << ": " << compiled->result.error.message;
        ASSERT_EQ(compiled->score.sections.size(), 1U) << chart;
    }
}

}  // namespace
}  // namespace kaz
