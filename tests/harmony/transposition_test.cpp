#include "harmony/transposition.h"

#include <algorithm>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/text_arena.h"

namespace kaz {
namespace {

using ::testing::ElementsAre;
using Row = TransposeDialogModel::Row;

//! A chart text with its chord records built by hand, the way a compile would leave them.
struct HandChart {
    std::string text;
    TextArena symbols;
    RecordList<Chord> chords;

    //! Append between, then the chord symbol with the given pitch classes (-8 .. 3); the names and the
    //! suffix are cut from the symbol.
    HandChart& Add(std::string_view between, std::string_view symbol, int rootPitch,
                   std::optional<int> bassPitch = std::nullopt) {
        text += between;
        Chord& chord = chords.emplace_back();
        chord.SetText(symbols.Keep(symbol));
        chord.textStart = static_cast<int>(text.size());
        text += symbol;
        chord.textEnd = static_cast<int>(text.size());
        const std::size_t rootLength = symbol.size() > 1 && (symbol[1] == '#' || symbol[1] == 'b') ? 2 : 1;
        const std::size_t slash = std::min(symbol.find('/', rootLength), symbol.size());
        chord.rootName = symbol.substr(0, rootLength);
        chord.SetSuffix(rootLength, slash - rootLength);
        if (slash < symbol.size()) {
            chord.bassName = symbol.substr(slash + 1);
        }
        chord.rootPitch = rootPitch;
        chord.bassPitch = bassPitch.value_or(rootPitch);
        return *this;
    }

    //! Append a sign ("/", "-", "="); "/" and "=" carry the names of the chord before, as analysis copies
    //! them.
    HandChart& AddSign(std::string_view between, std::string_view sign) {
        text += between;
        const Chord previous = sign != "-" && !chords.empty() ? chords.back() : Chord{};
        Chord& chord = chords.emplace_back();
        chord = previous;
        chord.SetText(symbols.Keep(sign, previous.suffix()), sign.size());
        chord.SetSuffix(sign.size(), previous.suffix().size());
        chord.textStart = static_cast<int>(text.size());
        text += sign;
        chord.textEnd = static_cast<int>(text.size());
        return *this;
    }

    HandChart& Then(std::string_view rest) {
        text += rest;
        return *this;
    }

    //! The text after the transposition a dialog on tables accepted.
    std::string Transposed(const TransposeResult& result) const {
        SplicedText rewritten(text);
        ApplyTransposition(rewritten, chords, result.shift, result.names);
        return rewritten.Text();
    }
};

TransposeResult Choose(NoteNameTables& tables, NotationMode notation, int shift) {
    TransposeDialogModel dialog(tables, notation);
    dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + shift);
    return dialog.Accept();
}

std::vector<std::string_view> Labels(const TransposeDialogModel& dialog) {
    std::vector<std::string_view> labels;
    for (const Row& row : dialog.Rows()) {
        labels.push_back(row.label);
    }
    return labels;
}

TEST(NoteNameTables, StartWithCSharpEFlatFSharpAFlatBFlatAndFollowTheNotationForB) {
    NoteNameTables tables;
    std::vector<std::string_view> names;
    for (int i = 0; i < kPitchClassCount; ++i) {
        names.push_back(tables.ChosenName(i));
    }
    EXPECT_THAT(names, ElementsAre("C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"));

    tables.FollowNotation(kGermanNotation);
    EXPECT_EQ(tables.ChosenName(10), "B");
    EXPECT_EQ(tables.ChosenName(11), "H");
    tables.FollowNotation(kMixedNotation);
    EXPECT_EQ(tables.ChosenName(10), "Bb");
    EXPECT_EQ(tables.ChosenName(11), "H");
    tables.FollowNotation(kEnglishNotation);
    EXPECT_EQ(tables.ChosenName(10), "Bb");
    EXPECT_EQ(tables.ChosenName(11), "B");
}

TEST(TransposeDialog, OpensUnshiftedWithEveryRowOnItselfAndTheCurrentChoicesChecked) {
    NoteNameTables tables;
    const TransposeDialogModel dialog(tables, kEnglishNotation);
    EXPECT_EQ(dialog.SelectedEntry(), 5);
    EXPECT_EQ(dialog.Shift(), 0);
    EXPECT_THAT(Labels(dialog),
                ElementsAre("C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab", "A", "A#/Bb", "B"));
    const auto& rows = dialog.Rows();
    EXPECT_EQ(rows[0].sharpButton, "C");
    EXPECT_FALSE(rows[0].flatShown);
    EXPECT_TRUE(rows[0].sharpChecked);
    EXPECT_EQ(rows[1].sharpButton, "C#");
    EXPECT_EQ(rows[1].flatButton, "Db");
    EXPECT_TRUE(rows[1].flatShown);
    EXPECT_TRUE(rows[1].sharpChecked);
    EXPECT_FALSE(rows[1].flatChecked);
    EXPECT_EQ(rows[3].flatButton, "Eb");
    EXPECT_FALSE(rows[3].sharpChecked);
    EXPECT_TRUE(rows[3].flatChecked);
    EXPECT_EQ(rows[10].sharpButton, "A#");
    EXPECT_EQ(rows[10].flatButton, "Bb");
    EXPECT_EQ(rows[11].sharpButton, "B");
}

TEST(TransposeDialog, LabelsAndNamesBTheWayTheChartsNotationDoes) {
    NoteNameTables tables;
    const TransposeDialogModel german(tables, kGermanNotation);
    EXPECT_EQ(german.Rows()[10].label, "A#/B");
    EXPECT_EQ(german.Rows()[11].label, "H");
    EXPECT_EQ(german.Rows()[10].flatButton, "B");
    EXPECT_EQ(german.Rows()[11].sharpButton, "H");

    const TransposeDialogModel mixed(tables, kMixedNotation);
    EXPECT_EQ(mixed.Rows()[10].label, "A#/Bb");
    EXPECT_EQ(mixed.Rows()[11].label, "H");
    EXPECT_EQ(mixed.Rows()[10].flatButton, "Bb");
    EXPECT_EQ(mixed.Rows()[11].sharpButton, "H");

    // Reopening on an English chart takes back the names a German chart left in the tables.
    const TransposeDialogModel english(tables, kEnglishNotation);
    EXPECT_EQ(english.Rows()[11].label, "B");
    EXPECT_EQ(english.Rows()[10].flatButton, "Bb");
    EXPECT_EQ(english.Rows()[11].sharpButton, "B");
}

TEST(TransposeDialog, RelabelsEveryRowWithItsTargetWhenTheShiftChanges) {
    NoteNameTables tables;
    TransposeDialogModel dialog(tables, kEnglishNotation);
    dialog.SelectEntry(7);  // +2
    EXPECT_EQ(dialog.Shift(), 2);
    const auto& rows = dialog.Rows();
    EXPECT_EQ(rows[0].sharpButton, "D");
    EXPECT_FALSE(rows[0].flatShown);
    EXPECT_EQ(rows[1].sharpButton, "D#");  // C#/Db goes to D#/Eb, written Eb
    EXPECT_TRUE(rows[1].flatShown);
    EXPECT_TRUE(rows[1].flatChecked);
    EXPECT_EQ(rows[9].sharpButton, "B");
    EXPECT_FALSE(rows[9].flatShown);
    EXPECT_EQ(rows[11].sharpButton, "C#");  // B goes to C#/Db, written C#
    EXPECT_EQ(rows[11].flatButton, "Db");
    EXPECT_TRUE(rows[11].sharpChecked);
    // The source labels do not move.
    EXPECT_EQ(rows[11].label, "B");

    dialog.SelectEntry(0);  // -5
    EXPECT_EQ(dialog.Rows()[0].sharpButton, "G");
    EXPECT_EQ(dialog.Rows()[1].sharpButton, "G#");
    EXPECT_TRUE(dialog.Rows()[1].flatChecked);
}

TEST(TransposeDialog, IgnoresAShiftOutsideTheList) {
    NoteNameTables tables;
    TransposeDialogModel dialog(tables, kEnglishNotation);
    dialog.SelectEntry(8);
    dialog.SelectEntry(12);
    dialog.SelectEntry(-1);
    EXPECT_EQ(dialog.Shift(), 3);
}

TEST(TransposeDialog, EachListEntryMovesCToTheNoteItNames) {
    for (int entry = 0; entry < TransposeDialogModel::kEntryCount; ++entry) {
        NoteNameTables tables;
        TransposeDialogModel dialog(tables, kEnglishNotation);
        dialog.SelectEntry(entry);
        const std::string_view label = TransposeDialogModel::kShiftEntries[entry];
        const std::size_t arrow = label.find("> ");
        const std::string_view target = arrow == std::string_view::npos ? "C" : label.substr(arrow + 2, 2);
        EXPECT_EQ(dialog.Rows()[0].sharpChecked ? dialog.Rows()[0].sharpButton : dialog.Rows()[0].flatButton,
                  target.substr(0, target.find(')')))
            << label;
        EXPECT_EQ(dialog.Shift(), entry - 5);
    }
}

TEST(TransposeDialog, AClickOnEitherButtonSwapsTheTargetsSpellingAndIsKeptForTheNextOpening) {
    NoteNameTables tables;
    {
        TransposeDialogModel dialog(tables, kEnglishNotation);
        dialog.SelectEntry(6);  // +1: row C goes to C#/Db
        ASSERT_TRUE(dialog.Rows()[0].sharpChecked);
        dialog.ClickRow(0);
        EXPECT_FALSE(dialog.Rows()[0].sharpChecked);
        EXPECT_TRUE(dialog.Rows()[0].flatChecked);
        EXPECT_EQ(tables.spellingChoice[1], Spelling::Flat);
        EXPECT_EQ(dialog.Accept().names[1], "Db");

        // Clicking the checked button swaps too.
        dialog.ClickRow(0);
        EXPECT_TRUE(dialog.Rows()[0].sharpChecked);
        dialog.ClickRow(0);

        // A row going to a natural has nothing to choose.
        const Row before = dialog.Rows()[1];
        dialog.ClickRow(1);
        EXPECT_EQ(dialog.Rows()[1].sharpChecked, before.sharpChecked);
        EXPECT_EQ(tables.spellingChoice[2], Spelling::Natural);
    }
    const TransposeDialogModel reopened(tables, kEnglishNotation);
    EXPECT_TRUE(reopened.Rows()[1].flatChecked);
    EXPECT_EQ(reopened.Accept().names[1], "Db");
}

TEST(TransposeDialog, AcceptHandsBackTheShiftAndTheChosenNameOfEveryPitchClass) {
    NoteNameTables tables;
    TransposeDialogModel dialog(tables, kGermanNotation);
    dialog.SelectEntry(3);
    dialog.ClickRow(1);  // -2: C#/Db goes to B/H, a natural
    dialog.ClickRow(8);  // G#/Ab goes to F#/Gb: now Gb
    const TransposeResult result = dialog.Accept();
    EXPECT_EQ(result.shift, -2);
    EXPECT_THAT(result.names, ElementsAre("C", "C#", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "B", "H"));
}

TEST(ApplyTransposition, MovesRootsAndBassesAndKeepsSuffixesAndEverythingBetween) {
    HandChart chart;
    chart.Add("| ", "C", 0).Add(" | ", "Am7", -3).Add(" | ", "F/A", -7, -3).Add(" | ", "G7", -5).Then(" |\n");
    NoteNameTables tables;
    EXPECT_EQ(chart.Transposed(Choose(tables, kEnglishNotation, 2)), "| D | Bm7 | G/B | A7 |\n");

    HandChart minor;
    minor.Add("", "Ebm7", 3).Add(" ", "Am7-5/Eb", -3, 3).Add(" ", "F#m7-5", -6);
    EXPECT_EQ(minor.Transposed(Choose(tables, kEnglishNotation, -1)), "Dm7 Abm7-5/D Fm7-5");
}

TEST(ApplyTransposition, AtShiftZeroRespellsWithTheChosenNames) {
    HandChart chart;
    chart.Add("", "D#m", 3).Add(" ", "Db", 1).Add(" ", "Gb7/Bb", -6, -2).Add(" ", "Cm", 0);
    NoteNameTables tables;
    EXPECT_EQ(chart.Transposed(Choose(tables, kEnglishNotation, 0)), "Ebm C# F#7/Bb Cm");
}

TEST(ApplyTransposition, KeepsAGermanChartGerman) {
    // In a German chart "B" is B flat; the compile has already lowered its pitch class.
    HandChart chart;
    chart.Add("", "A", -3).Add(" ", "B", -2).Add(" ", "H7", -1).Add(" ", "F/B", -7, -2);
    NoteNameTables tables;
    EXPECT_EQ(chart.Transposed(Choose(tables, kGermanNotation, 1)), "B H C7 F#/H");
    EXPECT_EQ(chart.Transposed(Choose(tables, kGermanNotation, -2)), "G Ab A7 Eb/Ab");
    EXPECT_EQ(chart.Transposed(Choose(tables, kMixedNotation, 1)), "Bb H C7 F#/H");
}

TEST(ApplyTransposition, LeavesSignsAsTheyAre) {
    HandChart chart;
    chart.Add("| ", "C/E", 0, -8)
        .AddSign(" ", "/")
        .AddSign(" ", "=")
        .AddSign(" ", "-")
        .Then(" | %")
        .AddSign(" | ", "/");
    NoteNameTables tables;
    EXPECT_EQ(chart.Transposed(Choose(tables, kEnglishNotation, 5)), "| F/A / = - | % | /");
}

TEST(ApplyTransposition, FindsEachLaterSymbolAtItsOldPlacePlusTheGrowthSoFar) {
    HandChart chart;
    chart.Add("", "C/E", 0, -8).Add(" ", "G", -5).Add(" ", "Bb", -2).Add(" ", "F", -7);
    NoteNameTables tables;
    SplicedText rewritten(chart.text);
    std::vector<TextRange> places;
    const TransposeResult up = Choose(tables, kEnglishNotation, 1);
    ApplyTransposition(
        [&](TextRange range, std::string_view symbol) {
            places.push_back(range);
            rewritten.Replace(range, symbol);
        },
        chart.chords, up.shift, up.names);
    EXPECT_EQ(rewritten.Text(), "C#/F Ab B F#");
    // "C/E" grew by one, "G" by one more, "Bb" to "B" shrank by one.
    EXPECT_THAT(places, ElementsAre(TextRange{0, 3}, TextRange{5, 6}, TextRange{8, 10}, TextRange{10, 11}));
}

}  // namespace
}  // namespace kaz
