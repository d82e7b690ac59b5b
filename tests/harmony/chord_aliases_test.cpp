#include "harmony/chord_aliases.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "harmony/chord_analysis.h"
#include "harmony/chord_reference.h"

namespace kaz {
namespace {

using ::testing::ElementsAre;

//! Pitch classes of note names on C, written out here: the chord tones a musician reads in the spelling.
std::set<int> PitchClasses(std::initializer_list<const char*> names) {
    static const std::vector<std::string> kNames = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                    "F#", "G",  "Ab", "A",  "Bb", "B"};
    std::set<int> classes;
    for (const char* name : names) {
        const auto at = std::find(kNames.begin(), kNames.end(), name);
        EXPECT_NE(at, kNames.end()) << name;
        classes.insert(static_cast<int>(at - kNames.begin()));
    }
    return classes;
}

class ChordAliasesTest : public ::testing::Test {
  protected:
    const Chord& Analyze(std::string_view symbol, ChordAnalysis expected = ChordAnalysis::Ok) {
        Chord& chord = chords_.emplace_back();
        EXPECT_EQ(AnalyzeChord(chord, symbol, score_, definitions_), expected) << symbol;
        return chord;
    }

    //! The voice's pitch classes above its root; the voice starts on the root and has at most six notes.
    std::set<int> Voice(std::string_view symbol) {
        const Chord& chord = Analyze(symbol);
        std::set<int> classes;
        EXPECT_GE(chord.noteCount, 2) << symbol;
        EXPECT_EQ(chord.notes[1], chord.rootPitch + 48) << symbol;
        for (int i = 1; i < chord.noteCount; ++i) {
            classes.insert((chord.notes[i] - chord.rootPitch - 48) % 12);
        }
        return classes;
    }

    ScoreTree score_;
    ChordDefinitions definitions_;
    RecordList<Chord> chords_;
};

TEST_F(ChordAliasesTest, EverydaySpellingsPlayTheirChordTones) {
    const std::vector<std::pair<std::string, std::set<int>>> spellings = {
        {"C7b9", PitchClasses({"C", "E", "G", "Bb", "Db"})},
        {"Cm7b5", PitchClasses({"C", "Eb", "F#", "Bb"})},
        {"C7sus", PitchClasses({"C", "F", "G", "Bb"})},
        {"C7#9", PitchClasses({"C", "E", "Bb", "Eb"})},
        {"C7#11", PitchClasses({"C", "E", "G", "Bb", "F#"})},
        {"Csus", PitchClasses({"C", "F", "G"})},
        {"C7#5", PitchClasses({"C", "E", "Ab", "Bb"})},
        {"C7b13", PitchClasses({"C", "E", "G", "Bb", "Ab"})},
        {"Cadd9", PitchClasses({"C", "D", "E", "G"})},
        {"Cmaj7#11", PitchClasses({"C", "E", "G", "B", "F#"})},
        {"C69", PitchClasses({"C", "D", "E", "A"})},
        {"C9sus", PitchClasses({"C", "D", "F", "Bb"})},
        {"C7alt", PitchClasses({"C", "E", "Ab", "Bb", "Eb"})},
        {"C7b5", PitchClasses({"C", "E", "F#", "Bb"})},
        {"C13b9", PitchClasses({"C", "E", "A", "Bb", "Db"})},
        {"C2", PitchClasses({"C", "D", "E", "G"})},
        {"C9#11", PitchClasses({"C", "E", "G", "Bb", "D", "F#"})},
        {"C13sus", PitchClasses({"C", "F", "Bb", "D", "A"})},
        {"Cmb6", PitchClasses({"C", "Eb", "G", "Ab"})},
        {"C\u03947", PitchClasses({"C", "E", "G", "B"})},
        {"C^7", PitchClasses({"C", "E", "G", "B"})},
        {"C\u00f87", PitchClasses({"C", "Eb", "F#", "Bb"})},
        {"CM7", PitchClasses({"C", "E", "G", "B"})},
        {"Cmi7", PitchClasses({"C", "Eb", "G", "Bb"})},
        {"Cmin7", PitchClasses({"C", "Eb", "G", "Bb"})},
        {"Cma7", PitchClasses({"C", "E", "G", "B"})},
        {"Co7", PitchClasses({"C", "Eb", "F#", "A"})},
        {"C-6", PitchClasses({"C", "Eb", "G", "A"})},
        {"C6/9", PitchClasses({"C", "D", "E", "A"})},
        {"C-(maj7)", PitchClasses({"C", "Eb", "G", "B"})},
        {"Cm(maj7)", PitchClasses({"C", "Eb", "G", "B"})},
        {"C7#9#5", PitchClasses({"C", "E", "Ab", "Bb", "Eb"})},
        {"C7b9b13", PitchClasses({"C", "E", "G", "Bb", "Db", "Ab"})},
        {"C7b9sus", PitchClasses({"C", "F", "Bb", "Db"})},
        {"Ch7", PitchClasses({"C", "Eb", "F#", "Bb"})},
        {"C-11", PitchClasses({"C", "Eb", "F", "Bb", "D"})},
        {"C-69", PitchClasses({"C", "Eb", "D", "A"})},
        {"C7(b9)", PitchClasses({"C", "E", "G", "Bb", "Db"})},
        {"C\u00b0", PitchClasses({"C", "Eb", "F#", "A"})},
        {"Caug7", PitchClasses({"C", "E", "Ab", "Bb"})},
        {"Cmi9", PitchClasses({"C", "Eb", "G", "Bb", "D"})},
        {"Cm#5", PitchClasses({"C", "Eb", "Ab"})},
        {"C-#5", PitchClasses({"C", "Eb", "Ab"})},
        {"C7b9#9", PitchClasses({"C", "E", "G", "Bb", "Db", "Eb"})},
        {"C7b13sus", PitchClasses({"C", "F", "G", "Bb", "Ab"})},
        {"C7susadd3", PitchClasses({"C", "E", "F", "G", "Bb"})},
        {"Cdimmaj7", PitchClasses({"C", "Eb", "F#", "B"})},
        {"Co^7", PitchClasses({"C", "Eb", "F#", "B"})},
        {"Cmaj7#9", PitchClasses({"C", "E", "G", "B", "Eb"})},
    };
    for (const auto& [symbol, tones] : spellings) {
        EXPECT_EQ(Voice(symbol), tones) << symbol;
    }
}

TEST_F(ChordAliasesTest, AnEverydaySpellingMovesWithItsRootAndKeepsItsBass) {
    const Chord& chord = Analyze("Eb7#9/G");
    EXPECT_EQ(chord.suffix(), "7#9");
    EXPECT_EQ(chord.notes[0], 31);
    EXPECT_THAT(std::vector<int>(chord.notes + 1, chord.notes + chord.noteCount),
                ElementsAre(51, 61, 67, 78));
    const Chord& sixNine = Analyze("C6/9/E");
    EXPECT_EQ(sixNine.suffix(), "6/9");
    EXPECT_EQ(sixNine.bassName.view(), "E");
}

TEST_F(ChordAliasesTest, DefinitionsAndTheBuiltInReadersComeFirst) {
    // Read today: C with a lowered seventh, C7 with a flat ninth, C with a raised seventh.
    EXPECT_EQ(Voice("C-7"), PitchClasses({"C", "E", "G", "A"}));
    EXPECT_EQ(Voice("C-9"), PitchClasses({"C", "Db", "G", "Bb"}));
    EXPECT_EQ(Voice("C+7"), PitchClasses({"C", "E", "G", "B"}));
    definitions_.DefineChord("7b9", std::vector<std::int32_t>{0, 1});
    EXPECT_EQ(Analyze("C7b9").noteCount, 3);
}

TEST_F(ChordAliasesTest, SpellingsOutsideTheWordsAreUnknown) {
    for (const char* symbol : {"C7(b9", "C7b9)", "C7b9b9", "Cmaj7b9", "Cm7alt", "Cø13", "C#7#", "Cadd8"}) {
        Analyze(symbol, ChordAnalysis::Unknown);
    }
}

TEST_F(ChordAliasesTest, EveryRowIsInItsWrittenFormAndHasAVoiceOfUpToSixNotes) {
    for (const ChordAlias& alias : ChordAliases()) {
        EXPECT_EQ(WrittenForm(alias.spelling), std::string(alias.spelling));
        EXPECT_GE(alias.count, 4);
        EXPECT_LE(alias.count, 6);
        EXPECT_EQ(alias.offsets[0], 0) << alias.spelling;
    }
}

TEST_F(ChordAliasesTest, NoChordIsSilentAndLeavesTheLastChordForTheSignsAfterIt) {
    const Chord& f = Analyze("F");
    for (const char* symbol : {"N.C.", "NC"}) {
        EXPECT_EQ(Analyze(symbol).noteCount, 0);
        EXPECT_EQ(score_.lastChord, &f);
    }
}

TEST(ChordReference, ListsEveryAliasWithTheKeysTheAnalysisPlays) {
    std::size_t rows = 0;
    std::string sevenFlatNine;
    std::string altered;
    for (const ChordReferenceSection& section : ChordReference()) {
        for (const ChordReferenceRow& row : section.rows) {
            EXPECT_FALSE(row.plays.empty()) << row.spelling;
            rows += 1;
            if (row.spelling == "C7b9") {
                sevenFlatNine = row.plays;
            } else if (row.spelling == "C7alt") {
                altered = row.plays;
            }
        }
    }
    EXPECT_GT(rows, ChordAliases().size() + FixedSuffixes().size());
    EXPECT_EQ(sevenFlatNine, "C3 B\u266d3 D\u266d4 E4 G4");
    // Beside the major third, the minor third is the raised ninth.
    EXPECT_EQ(altered, "C3 B\u266d3 E4 A\u266d4 D\u266f5");
}

}  // namespace
}  // namespace kaz
