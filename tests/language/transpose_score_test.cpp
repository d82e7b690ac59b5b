#include "language/transpose_score.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace kaz {
namespace {

//! Runs the Transpose command on a chart the way the editor does, with a dialog whose user picks a shift,
//! clicks some rows, then presses OK (or Cancel).
class TransposeScoreTest : public testing::Test {
  protected:
    //! What the user does in the dialog: pick a shift, click some rows, press OK or Cancel.
    struct Dialog {
        int shift = 0;
        std::vector<int> clickedRows = {};
        bool ok = true;
    };

    //! Compile text with the chord definitions of the compiles before, and run the command on it.
    Transposition Run(const std::string& text, const Dialog& dialog) {
        const TransposeChooser choose = [&](const TransposeOffer& offer) -> std::optional<TransposeResult> {
            ++dialogsShown;
            shownNotation = offer.resolved;
            TransposeDialogModel model(tables, offer);
            model.SelectEntry(TransposeDialogModel::kUnshiftedEntry + dialog.shift);
            for (const int row : dialog.clickedRows) {
                model.ClickRow(row);
            }
            if (!dialog.ok) {
                return std::nullopt;
            }
            return model.Accept();
        };
        compiled = Compile(text, options);
        options.chordDefinitions = compiled->chordDefinitions;
        return TransposeChart(*compiled, choose);
    }

    //! The chart after transposing it by shift with the current choices; the original when it failed.
    std::string Transposed(const std::string& text, int shift, std::vector<int> clickedRows = {}) {
        const Transposition transposition = Run(text, {shift, std::move(clickedRows), true});
        EXPECT_EQ(transposition.outcome, TransposeOutcome::Transposed) << text;
        return transposition.outcome == TransposeOutcome::Transposed ? transposition.text : text;
    }

    CompileOptions options;
    std::shared_ptr<const CompiledChart> compiled;
    NoteNameTables tables;
    int dialogsShown = 0;
    NotationMode shownNotation = 0;
};

TEST_F(TransposeScoreTest, MovesEveryChordAndKeepsTheTextBeforeForUndo) {
    const std::string chart = "| C | Am7 | F/A | G7 |\n";
    const Transposition transposition = Run(chart, {.shift = 2});
    EXPECT_EQ(transposition.outcome, TransposeOutcome::Transposed);
    EXPECT_EQ(transposition.text, "| D | Bm7 | G/B | A7 |\n");
    EXPECT_EQ(compiled->text, chart);
}

TEST_F(TransposeScoreTest, SpellsTargetsWithTheChoicesOfTheDialog) {
    EXPECT_EQ(Transposed("Ebm7", -1), "Dm7");
    EXPECT_EQ(Transposed("C", 1), "C#");
    EXPECT_EQ(Transposed("C", 1, {0}), "Db");
    // The click of the last run is still in force.
    EXPECT_EQ(Transposed("C/G", 1), "Db/Ab");
}

TEST_F(TransposeScoreTest, AtShiftZeroOnlyRespells) {
    EXPECT_EQ(Transposed("D#m | Db | A#7/G#", 0), "Ebm | C# | Bb7/Ab");
}

TEST_F(TransposeScoreTest, KeepsAGermanChartInGermanNotation) {
    // "B" and "H" in one chart: German, B is B flat.
    EXPECT_EQ(Transposed("A | B | H7 | F/B", 1), "B | H | C7 | F#/H");
    EXPECT_EQ(shownNotation, kGermanNotation);
    EXPECT_EQ(Transposed("H | Eb | C", -1), "B | D | H");

    // A chart that spells only "B" follows the setting: B flat in German, B natural otherwise.
    options.settings.notation = kGermanNotation;
    EXPECT_EQ(Transposed("F | B | C", 2), "G | C | D");
    options.settings.notation = kEnglishNotation;
    EXPECT_EQ(Transposed("F | B | C", 2), "G | C# | D");

    // "H" and "Bb": mixed.
    EXPECT_EQ(Transposed("H | Bb | Ab", 2), "C# | C | Bb");
    EXPECT_EQ(shownNotation, kMixedNotation);
}

TEST_F(TransposeScoreTest, NeverLeavesALoneBThatTheSettingReadsAsAnotherNote) {
    // "H" made this chart German; without it, a lone "B" would be read as B natural under this setting.
    EXPECT_EQ(Transposed("H | Ab", 2), "C# | A#");
    const std::shared_ptr<const CompiledChart> again = Compile("C# | A#");
    ASSERT_TRUE(again->Accepted());
    EXPECT_EQ(again->score.allChords[1].rootPitch, -2);
    // The same chart under the German setting keeps its "B".
    options.settings.notation = kGermanNotation;
    EXPECT_EQ(Transposed("H | Ab", 2), "C# | B");

    // "Bb" made this chart English; under the German setting a lone "B" would be B flat.
    EXPECT_EQ(Transposed("Bb | A", 2), "C | H");
    options.settings.notation = kEnglishNotation;
    EXPECT_EQ(Transposed("Bb | A", 2), "C | B");
    // With another B spelling left in the chart, nothing is ambiguous.
    EXPECT_EQ(Transposed("H | Ab | A", 2), "C# | B | H");
}

TEST_F(TransposeScoreTest, LeavesSignsCommentsMarksAndLineEndsAsTyped) {
    const std::string chart =
        "# Song in C, with Bb and F#m in the comment\r\n"
        "[CHORD my = 0 3 7 10]\r\n"
        "[TEMPO=90]\r\n"
        "|| [3] [3/4] C  Cmy\tF/C | - / = | %% | Dm7 \\\r\n"
        "  G7 | [4/4] C *\n"
        "\n";
    EXPECT_EQ(Transposed(chart, -3),
              "# Song in C, with Bb and F#m in the comment\r\n"
              "[CHORD my = 0 3 7 10]\r\n"
              "[TEMPO=90]\r\n"
              "|| [3] [3/4] A  Amy\tD/A | - / = | %% | Bm7 \\\r\n"
              "  E7 | [4/4] A *\n"
              "\n");
}

TEST_F(TransposeScoreTest, PlacesLaterChordsAfterTheGrowthOfEarlierOnes) {
    EXPECT_EQ(Transposed("C/E F G/B C | Am/C Dm7/F G7sus4/D C", 1),
              "C#/F F# Ab/C C# | Bbm/C# Ebm7/F# Ab7sus4/Eb C#");
    EXPECT_EQ(Transposed("C#/F F# Ab/C C# | Bbm/C# Ebm7/F# Ab7sus4/Eb C#", -1),
              "C/E F G/B C | Am/C Dm7/F G7sus4/D C");
}

TEST_F(TransposeScoreTest, ChartThatDoesNotCompileIsNotTransposed) {
    const std::string chart = "C | Cxyz | G";
    const Transposition transposition = Run(chart, {.shift = 2});
    EXPECT_EQ(transposition.outcome, TransposeOutcome::NotCompiled);
    EXPECT_EQ(dialogsShown, 0);
    EXPECT_TRUE(transposition.text.empty());
    EXPECT_EQ(FormatErrorMessage(compiled->result.error), "Line: 1\nUnknown chord: `Cxyz`");
    EXPECT_EQ(compiled->result.error.selection, (TextRange{4, 8}));
}

TEST_F(TransposeScoreTest, CancelLeavesTheTextButKeepsTheClickedChoices) {
    const std::string chart = "C | G";
    const Transposition transposition = Run(chart, {.shift = 1, .clickedRows = {0}, .ok = false});
    EXPECT_EQ(transposition.outcome, TransposeOutcome::Cancelled);
    EXPECT_TRUE(transposition.text.empty());
    EXPECT_EQ(tables.spellingChoice[1], Spelling::Flat);
}

}  // namespace
}  // namespace kaz
