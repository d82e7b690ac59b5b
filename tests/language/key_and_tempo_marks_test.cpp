// The key mark, which the transposition and the instrument parts spell by, and the tempo mark that counts
// dotted quarter notes.
#include <gtest/gtest.h>

#include <string>

#include "harmony/musical_key.h"
#include "language/transpose_score.h"

namespace kaz {
namespace {

//! The chart after the Transpose dialog moved it by shift, or into the key of that entry when toKey.
std::string Transposed(const std::string& chart, int shift, bool toKey = false) {
    NoteNameTables tables;
    const TransposeChooser choose = [&](const TransposeOffer& offer) -> std::optional<TransposeResult> {
        TransposeDialogModel dialog(tables, offer);
        if (toKey) {
            dialog.SelectKey(TransposeDialogModel::kUnshiftedEntry + shift);
        } else {
            dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + shift);
        }
        return dialog.Accept();
    };
    const Transposition transposition = TransposeChart(*Compile(chart), choose);
    EXPECT_EQ(transposition.outcome, TransposeOutcome::Transposed) << chart;
    return transposition.text;
}

TEST(KeyMarks, AMarkedChartIsSpelledByItsKeyAndTheMarkMovesAlong) {
    EXPECT_EQ(Transposed("[KEY=D]\nD | D/F# | G | A7 |\n", 2), "[KEY=E]\nE | E/G# | A | B7 |\n");
    // Down a semitone from D the flats of D flat, whatever the names chosen in the dialog.
    EXPECT_EQ(Transposed("[KEY=D] D | F#m | A7 |\n", -1), "[KEY=Db] Db | Fm | Ab7 |\n");
    // Each stretch by its own mark; a minor key keeps its leading note sharp.
    EXPECT_EQ(Transposed("[KEY=Am] Am | E7 |\n[KEY=C] C | G7 |\n", 1),
              "[KEY=Bbm] Bbm | F7 |\n[KEY=Db] Db | Ab7 |\n");
    // German key names and chords stay German.
    EXPECT_EQ(Transposed("[KEY=fis] fis | Cis7 | H\n", 1), "[KEY=g] g | D7 | C\n");
}

TEST(KeyMarks, AnUnmarkedChartIsSpelledByKeyOnlyWhenAskedTo) {
    const std::string chart = "D | D/F# | G | A7 |\n";
    // By the names chosen: G# keeps the program's usual A flat.
    EXPECT_EQ(Transposed(chart, 2), "E | E/Ab | A | B7 |\n");
    EXPECT_EQ(Transposed(chart, 2, true), "E | E/G# | A | B7 |\n");
}

TEST(KeyMarks, TheMarkWinsOverTheKeyHeardFromTheChords) {
    const auto marked = Compile("[KEY=Eb]\nC | F | G7 | C |\n");
    ASSERT_TRUE(marked->Accepted());
    EXPECT_EQ(KeyOfScore(marked->score), (MusicalKey{3, false, KeyAccidentals::Flats}));
    const auto heard = Compile("C | F | G7 | C |\n");
    ASSERT_TRUE(heard->Accepted());
    EXPECT_EQ(KeyOfScore(heard->score), (MusicalKey{0, false}));
}

TEST(KeyMarks, AKeyTheChartCannotReadIsAnError) {
    const CompileResult result = Compile("[KEY=X major]\nC\n")->result;
    ASSERT_EQ(result.outcome, CompileOutcome::LanguageError);
    EXPECT_EQ(result.error.message, "Invalid key");
    EXPECT_EQ(result.error.text, "X major");
}

TEST(TempoMarks, ADottedTempoCountsDottedQuarterNotes) {
    std::string chart = "[TEMPO=60.]\n[6/8]";
    for (int measure = 0; measure < 30; ++measure) {
        chart += " C |";
    }
    const auto compiled = Compile(chart);
    ASSERT_TRUE(compiled->Accepted());
    // Thirty measures of six eighths at sixty dotted quarters a minute: a minute.
    constexpr int kTicksPerQuarter = 480;
    const EventList& events = compiled->performance;
    const double quarters = static_cast<double>(events[events.size() - 1].time) / kTicksPerQuarter;
    EXPECT_EQ(compiled->score.scoreTempo, 90);
    EXPECT_DOUBLE_EQ(quarters / compiled->score.scoreTempo, 1.0);

    const CompileResult tooFast = Compile("[TEMPO=201.]\nC\n")->result;
    ASSERT_EQ(tooFast.outcome, CompileOutcome::LanguageError);
    EXPECT_EQ(tooFast.error.message, "Invalid tempo");
    EXPECT_EQ(tooFast.error.text, "201.");
}

}  // namespace
}  // namespace kaz
