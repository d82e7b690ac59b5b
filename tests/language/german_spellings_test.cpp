// Charts written the German way through the whole compile: German note names, lowercase minor chords, key
// names in place of chords, the B that nothing in the chart explains, the chart's own notation line, and
// transposition.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/transpose_score.h"

namespace kaz {
namespace {

CompileOptions Read(NotationMode notation) {
    CompileOptions options;
    options.settings.notation = notation;
    return options;
}

//! The notes a chart plays, with their times, channels, keys and velocities.
std::vector<std::string> Notes(const std::string& chart, NotationMode notation) {
    const auto compiled = Compile(chart, Read(notation));
    const CompileResult& result = compiled->result;
    EXPECT_TRUE(result.Accepted()) << chart << ": " << result.error.message << " " << result.error.text;
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
        const MidiEvent& event = compiled->performance[i];
        if (event.kind == EventKind::NoteOn) {
            notes.push_back(std::to_string(event.time) + " " + std::to_string(event.channel()) + " " +
                            std::to_string(event.key()) + " " + std::to_string(event.velocity()));
        }
    }
    return notes;
}

LanguageError ErrorOf(const std::string& chart, NotationMode notation = kEnglishNotation) {
    const CompileResult result = Compile(chart, Read(notation))->result;
    EXPECT_EQ(result.outcome, CompileOutcome::LanguageError) << chart;
    return result.error;
}

TEST(GermanSpellings, GermanNamesAndLowercaseMinorChordsPlayAsTheirEnglishSpellings) {
    const std::string german =
        "Fis7 | Esmaj7 | Cism7 As | B H | d fis7 | h7 es | D/Fis Es/B | Dis His Ces Fes\n";
    const std::string english = "F#7 | Ebmaj7 | C#m7 Ab | B H | Dm F#m7 | Hm7 Ebm | D/F# Eb/B | D# C Cb Fb\n";
    EXPECT_EQ(Notes(german, kGermanNotation), Notes(english, kGermanNotation));
    // Mixed notation writes B flat "Bb", and reads German names and lowercase chords too.
    // "Es" and "As" are E flat and A flat as a bass too, never E and A with a stray letter.
    EXPECT_EQ(Notes("D7/Es | C/As | Dm7/Es\n", kGermanNotation),
              Notes("D7/Eb | C/Ab | Dm7/Eb\n", kGermanNotation));
    EXPECT_EQ(Notes("Gis | a/Cis | Bb | bb\n", kMixedNotation),
              Notes("G# | Am/C# | Bb | Bbm\n", kGermanNotation));
}

TEST(GermanSpellings, WhatEnglishReadsKeepsItsMeaning) {
    // E and A with a suspended fourth, not E flat and A flat; a chart's own suffix "is7" on F, not F#7.
    EXPECT_EQ(Notes("Esus4 | Asus2\n", kGermanNotation), Notes("Fbsus4 | Asus2\n", kGermanNotation));
    EXPECT_EQ(Notes("[CHORD is7 = 0 3 7]\nFis7 H\n", kGermanNotation),
              Notes("[CHORD x = 0 3 7]\nFx H\n", kGermanNotation));
    // A letter glued to a chord stays a stray character.
    EXPECT_EQ(ErrorOf("Hb | C\n", kGermanNotation).text, "b");
    EXPECT_EQ(ErrorOf("Ebb\n", kGermanNotation).text, "b");
}

TEST(GermanSpellings, AnEnglishChartSaysHowToWriteAGermanSpelling) {
    const LanguageError name = ErrorOf("C | Fis7/Cis |\n");
    EXPECT_EQ(name.message,
              "A German note name in English notation (write F#7/C#, or choose German notation)");
    EXPECT_EQ(name.text, "Fis7/Cis");
    EXPECT_EQ(name.selection, (TextRange{4, 12}));
    EXPECT_EQ(ErrorOf("C\nD | d7/C\n").message,
              "A lowercase minor chord in English notation (write Dm7/C, or choose German notation)");
    EXPECT_EQ(ErrorOf("C\nD | d7/C\n").line, 2);
    EXPECT_EQ(ErrorOf("Eis\n").message,
              "A German note name in English notation (write F, or choose German notation)");
}

TEST(GermanSpellings, AKeyNameInPlaceOfAChordSaysHowToWriteEither) {
    const LanguageError major = ErrorOf("C | D-Dur |\n", kGermanNotation);
    EXPECT_EQ(major.message, "A key, not a chord (write D for the chord, [KEY=D] for the key)");
    EXPECT_EQ(major.text, "D-Dur");
    EXPECT_EQ(major.selection, (TextRange{4, 9}));
    EXPECT_EQ(ErrorOf("fis-Moll\n", kGermanNotation).message,
              "A key, not a chord (write Fism for the chord, [KEY=Fism] for the key)");
    EXPECT_EQ(ErrorOf("Es-Dur\n", kGermanNotation).text, "Es-Dur");
    EXPECT_EQ(ErrorOf("G D-Moll\n", kGermanNotation).text, "D-Moll");
    EXPECT_EQ(ErrorOf("Ddur\n").text, "Ddur");
}

TEST(GermanSpellings, ALoneBIsReadAsTheNotationSaysWithAHint) {
    CompileResult result = Compile("F C-7 | B C\n")->result;
    ASSERT_TRUE(result.Accepted());
    ASSERT_EQ(result.hints.size(), 2u);
    EXPECT_EQ(result.hints[1].message,
              "B read as B natural (English notation); write Bb, or choose German notation");
    EXPECT_EQ(result.hints[1].selection, (TextRange{8, 9}));

    result = Compile("F | B\n", Read(kGermanNotation))->result;
    ASSERT_EQ(result.hints.size(), 1u);
    EXPECT_EQ(result.hints[0].message,
              "B read as B flat (German notation); write H for B natural, or choose English notation");

    for (const char* told : {"F | Bb | B\n", "F | B | H\n", "#kaz:notation=german\nF | B\n"}) {
        EXPECT_TRUE(Compile(told, Read(kGermanNotation))->result.hints.empty()) << told;
    }
}

TEST(GermanSpellings, TheChartsNotationLineWinsOverTheSetting) {
    EXPECT_EQ(Notes("# Hymn\nF | B |\n#kaz:notation=german\n", kEnglishNotation),
              Notes("F | Bb |\n", kEnglishNotation));
    EXPECT_EQ(Notes("Fis | C\n#kaz:notation=mixed\n", kEnglishNotation), Notes("F# | C\n", kEnglishNotation));
    // Every reader of the compile reads the chart in its own notation.
    EXPECT_EQ(Compile("F | B\n#kaz:notation=german\n")->settings.notation, kGermanNotation);
    EXPECT_EQ(Compile("F | B\n", Read(kMixedNotation))->settings.notation, kMixedNotation);
}

TEST(GermanSpellings, TranspositionWritesAGermanChartInGermanNames) {
    const std::string chart = "Fis7 | d | Es/B | h7 C\n";
    NoteNameTables tables;
    const TransposeChooser choose = [&](const TransposeOffer& offer) -> std::optional<TransposeResult> {
        TransposeDialogModel dialog(tables, offer);
        dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + 2);
        return dialog.Accept();
    };
    const Transposition transposition = TransposeChart(*Compile(chart, Read(kGermanNotation)), choose);
    ASSERT_EQ(transposition.outcome, TransposeOutcome::Transposed);
    EXPECT_EQ(transposition.text, "As7 | e | F/C | cis7 D\n");
}

}  // namespace
}  // namespace kaz
