// Everyday chord spellings through the whole compile: the scanner's lexemes, the hints of surprising
// spellings, N.C. in the performance, and transposition.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/transpose_score.h"
#include "render/song_map.h"

namespace kaz {
namespace {

std::vector<std::string> Symbols(const CompiledChart& compiled) {
    std::vector<std::string> symbols;
    for (const Chord& chord : compiled.score.allChords) {
        symbols.emplace_back(chord.text());
    }
    return symbols;
}

TEST(EverydaySpellings, EachIsOneChordSymbolAndASlashBeforeALetterStaysTheBass) {
    const auto compiled = Compile("C6/9 C6/9/E C6/E | C\u03947 C-(maj7) N.C. NC | C7#9/G C\u00f8/");
    ASSERT_TRUE(compiled->Accepted());
    EXPECT_THAT(Symbols(*compiled), ::testing::ElementsAre("C6/9", "C6/9/E", "C6/E", "C\u03947", "C-(maj7)",
                                                           "N.C.", "NC", "C7#9/G", "C\u00f8", "/"));
    EXPECT_EQ(compiled->score.allChords[2].suffix(), "6");
    EXPECT_EQ(compiled->score.allChords[2].bassName.view(), "E");
}

TEST(EverydaySpellings, SurprisingSpellingsPlayAsBeforeWithAHintAtEach) {
    const auto compiled = Compile("C-7 | Cm7 D-9/F#\nEb+7 A-\n");
    const CompileResult& result = compiled->result;
    ASSERT_TRUE(result.Accepted());
    ASSERT_EQ(result.hints.size(), 4u);
    EXPECT_EQ(result.hints[0].message,
              "Plays C with a lowered seventh (the sixth); for C minor seventh write Cm7");
    EXPECT_EQ(result.hints[0].selection, (TextRange{0, 3}));
    EXPECT_EQ(result.hints[1].message, "Plays D7 with a flat ninth; for D minor ninth write Dm9/F#");
    EXPECT_EQ(result.hints[1].text, "D-9/F#");
    EXPECT_EQ(result.hints[2].message, "Plays Eb major seventh; for Eb7 with a raised fifth write Eb7#5");
    EXPECT_EQ(result.hints[2].line, 2);
    EXPECT_EQ(result.hints[3].message, "Plays A minor seventh; for the A minor triad write Am");
}

TEST(EverydaySpellings, ASpellingTheChartDefinesGetsNoHint) {
    EXPECT_TRUE(Compile("[CHORD -7 = 0 3 7 10]\nC-7 | C- |")->result.hints.size() == 1);
}

TEST(EverydaySpellings, AChartsOwnDefinitionOfASpellingWinsOverItsAlias) {
    const auto compiled = Compile("[CHORD 7#9 = 0 4 10 15 19]\nC7#9 | Cmaj7#11");
    ASSERT_TRUE(compiled->Accepted());
    // The definition's keys above the root, where the alias would play C E Bb D#.
    EXPECT_EQ(compiled->score.allChords[0].noteCount, 6);
    EXPECT_EQ(compiled->score.allChords[0].notes[5], compiled->score.allChords[0].notes[1] + 19);
    EXPECT_EQ(compiled->score.allChords[1].noteCount, 6) << "the alias still plays where nothing is defined";
}

TEST(EverydaySpellings, NoChordIsSilentForItsShareAndShownAsNoChord) {
    const auto compiled = Compile("C N.C. | NC F");
    ASSERT_TRUE(compiled->Accepted());
    std::vector<std::pair<Ticks, int>> notesOn;
    for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
        const MidiEvent& event = compiled->performance[i];
        if (event.kind == EventKind::NoteOn && event.channel() == 1) {
            notesOn.emplace_back(event.time, event.key());
        }
    }
    EXPECT_THAT(notesOn,
                ::testing::ElementsAre(std::pair<Ticks, int>{0, 36}, std::pair<Ticks, int>{2880, 29}));
    EXPECT_EQ(ChordName(compiled->score.allChords[1]), "N.C.");
    EXPECT_EQ(ChordName(compiled->score.allChords[2]), "N.C.");
}

TEST(EverydaySpellings, TranspositionMovesOnlyRootsAndBasses) {
    const std::string chart = "C\u03947 | F\u00f87/Eb | Bb7(#9) | C6/9/E N.C. | G7b9sus Dmi7 |\n";
    NoteNameTables tables;
    const TransposeChooser choose = [&](const TransposeOffer& offer) -> std::optional<TransposeResult> {
        TransposeDialogModel dialog(tables, offer);
        dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + 2);
        return dialog.Accept();
    };
    const Transposition transposition = TransposeChart(*Compile(chart), choose);
    ASSERT_EQ(transposition.outcome, TransposeOutcome::Transposed);
    EXPECT_EQ(transposition.text, "D\u03947 | G\u00f87/F | C7(#9) | D6/9/F# N.C. | A7b9sus Emi7 |\n");
}

}  // namespace
}  // namespace kaz
