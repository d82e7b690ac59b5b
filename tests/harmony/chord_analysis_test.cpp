#include "harmony/chord_analysis.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace kaz {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ChordAnalysisTest : public ::testing::Test {
  protected:
    // Analyses symbol as the next chord of the chart; the chord stays alive as the last chord.
    Chord& Analyze(std::string_view symbol, ChordAnalysis expected = ChordAnalysis::Ok) {
        Chord& chord = chords_.emplace_back();
        EXPECT_EQ(AnalyzeChord(chord, symbol, score_, definitions_), expected) << symbol;
        return chord;
    }

    static std::vector<int> Keys(const Chord& chord) { return {chord.notes, chord.notes + chord.noteCount}; }

    // The chord voice as offsets above the root's voice key, the bass left out.
    static std::vector<int> VoiceOffsets(const Chord& chord) {
        std::vector<int> offsets;
        for (int i = 1; i < chord.noteCount; ++i) {
            offsets.push_back(chord.notes[i] - (chord.rootPitch + 48));
        }
        return offsets;
    }

    void Define(std::string_view name, std::vector<std::int32_t> values) {
        definitions_.DefineChord(name, values);
    }

    ScoreTree score_;
    ChordDefinitions definitions_;
    RecordList<Chord> chords_;
};

TEST_F(ChordAnalysisTest, PlainRootsGiveBassAndMajorVoice) {
    EXPECT_THAT(Keys(Analyze("C")), ElementsAre(36, 48, 60, 64, 67));
    EXPECT_THAT(Keys(Analyze("E")), ElementsAre(28, 40, 52, 56, 59));
    EXPECT_THAT(Keys(Analyze("Eb")), ElementsAre(39, 51, 63, 67, 70));
    EXPECT_THAT(Keys(Analyze("F#")), ElementsAre(30, 42, 54, 58, 61));
    EXPECT_THAT(Keys(Analyze("Db")), ElementsAre(37, 49, 61, 65, 68));
}

TEST_F(ChordAnalysisTest, SplitsRootSuffixAndBass) {
    const Chord& chord = Analyze("Am7/G");
    EXPECT_EQ(chord.text(), "Am7/G");
    EXPECT_EQ(chord.rootName.view(), "A");
    EXPECT_EQ(chord.suffix(), "m7");
    EXPECT_EQ(chord.bassName.view(), "G");
    EXPECT_EQ(chord.rootPitch, -3);
    EXPECT_EQ(chord.bassPitch, -5);
    EXPECT_THAT(Keys(chord), ElementsAre(31, 45, 55, 60, 64));

    const Chord& flat = Analyze("Bb7/Ab");
    EXPECT_EQ(flat.rootName.view(), "Bb");
    EXPECT_EQ(flat.suffix(), "7");
    EXPECT_EQ(flat.bassName.view(), "Ab");
    EXPECT_EQ(flat.notes[0], 32);
}

TEST_F(ChordAnalysisTest, CommonSuffixesGiveTheirOffsets) {
    const std::vector<std::pair<std::string, std::vector<int>>> table = {
        {"", {0, 12, 16, 19}},          {"m", {0, 12, 15, 19}},         {"7", {0, 10, 16, 19}},
        {"maj7", {0, 11, 16, 19}},      {"maj", {0, 11, 16, 19}},       {"m7", {0, 10, 15, 19}},
        {"m7-5", {0, 10, 15, 18}},      {"6", {0, 9, 16, 19}},          {"m6", {0, 9, 15, 19}},
        {"6add9", {0, 14, 16, 21}},     {"9", {0, 10, 14, 19}},         {"m9", {0, 10, 14, 19}},
        {"maj9", {0, 11, 14, 19}},      {"11", {0, 10, 17, 19}},        {"13", {0, 10, 16, 21}},
        {"7+5", {0, 10, 16, 20}},       {"7-9", {0, 10, 13, 19}},       {"7+9", {0, 10, 15, 19}},
        {"7+11", {0, 10, 18, 19}},      {"7-13", {0, 10, 16, 20}},      {"7+7", {0, 11, 16, 19}},
        {"7-7", {0, 9, 16, 19}},        {"maj7+5", {0, 11, 16, 20}},    {"m-9", {0, 10, 13, 19}},
        {"-5+5", {0, 12, 16, 20}},      {"maj13", {0, 11, 16, 21}},     {"-", {0, 10, 15, 19}},
        {"mmaj7", {0, 11, 15, 19}},     {"m+7", {0, 11, 15, 19}},       {"dim", {0, 9, 15, 18}},
        {"dim7", {0, 9, 15, 18}},       {"o", {0, 9, 15, 18}},          {"0", {0, 9, 15, 18}},
        {"sus4", {0, 12, 17, 19}},      {"sus2", {0, 12, 14, 19}},      {"sus2sus4", {0, 12, 14, 17}},
        {"sus4sus2", {0, 12, 14, 17}},  {"7sus4", {0, 10, 17, 19}},     {"7sus2", {0, 10, 14, 19}},
        {"7sus2sus4", {0, 10, 14, 17}}, {"7sus4sus2", {0, 10, 14, 17}}, {"+", {0, 12, 16, 20}},
        {"aug", {0, 12, 16, 20}},       {"5", {0, 7, 12, 19}},
    };
    for (const auto& [suffix, offsets] : table) {
        const Chord& chord = Analyze("D" + suffix);
        EXPECT_THAT(VoiceOffsets(chord), ElementsAreArray(offsets)) << "D" << suffix;
        EXPECT_EQ(chord.notes[0], 38) << "D" << suffix;
    }
}

TEST_F(ChordAnalysisTest, UnreadableSuffixesAreUnknown) {
    for (const char* symbol :
         {"Cadd8", "Cm7b4", "Csus3", "Cma8", "Cmaj7+7", "Cmaj-7", "C7+", "C1", "C77", "C7x"}) {
        Analyze(symbol, ChordAnalysis::Unknown);
    }
    EXPECT_EQ(score_.lastChord, nullptr);
}

TEST_F(ChordAnalysisTest, SeventhLoweredTwice) {
    EXPECT_THAT(Keys(Analyze("C7-7")), ElementsAre(36, 48, 57, 64, 67));
}

TEST_F(ChordAnalysisTest, RestAndRepeatSigns) {
    EXPECT_EQ(Analyze("/").noteCount, 0);
    EXPECT_EQ(Analyze("=").noteCount, 0);
    EXPECT_EQ(Analyze("-").noteCount, 0);

    const Chord& f7 = Analyze("F7/A");
    const Chord& rest = Analyze("-");
    EXPECT_EQ(rest.noteCount, 0);
    EXPECT_EQ(score_.lastChord, &f7);
    for (const char* sign : {"/", "="}) {
        const Chord& again = Analyze(sign);
        EXPECT_EQ(again.text(), sign);
        EXPECT_EQ(Keys(again), Keys(f7));
        EXPECT_EQ(again.rootName.view(), "F");
        EXPECT_EQ(again.suffix(), "7");
        EXPECT_EQ(again.bassName.view(), "A");
        EXPECT_EQ(again.rootPitch, f7.rootPitch);
        EXPECT_EQ(again.bassPitch, f7.bassPitch);
        EXPECT_EQ(score_.lastChord, &f7);
    }
}

TEST_F(ChordAnalysisTest, ThirdSpellingOfBIsAmbiguous) {
    Analyze("B7");
    Analyze("Bb");
    Analyze("Cm/E");
    EXPECT_EQ(score_.bLettersSeen, kSpelledB | kSpelledBb);
    Analyze("C/H", ChordAnalysis::Ambiguous);
}

TEST_F(ChordAnalysisTest, SpellingsAreRecordedEvenForUnknownChords) {
    Analyze("Hadd8", ChordAnalysis::Unknown);
    Analyze("A#/Bb");
    EXPECT_EQ(score_.bLettersSeen, kSpelledH | kSpelledBb);
    EXPECT_EQ(Analyze("H").rootPitch, -1);
}

TEST_F(ChordAnalysisTest, SymbolsOutsideTheLanguageAreUnknown) {
    Analyze("", ChordAnalysis::Unknown);
    Analyze("X7", ChordAnalysis::Unknown);
    Analyze("C/x", ChordAnalysis::Unknown);
}

TEST_F(ChordAnalysisTest, DefinitionOfTheWholeSymbolComesFirst) {
    Define("Cmy", {0, 5});
    Define("my", {0, 2});
    EXPECT_THAT(Keys(Analyze("Cmy")), ElementsAre(36, 48, 53));
    EXPECT_THAT(Keys(Analyze("Cmy/E")), ElementsAre(28, 48, 50));
    EXPECT_THAT(Keys(Analyze("Dmy")), ElementsAre(38, 50, 52));
}

TEST_F(ChordAnalysisTest, DefinitionOverridesBuiltInSuffixes) {
    Define("m7b5", {0, 3, 6, 10});
    EXPECT_THAT(Keys(Analyze("Cm7b5")), ElementsAre(36, 48, 51, 54, 58));
    Define("7", {0, 4, 10, 14, 16, 21});
    EXPECT_EQ(Analyze("G7").noteCount, 7);
    Define("", {0, 3, 7});
    EXPECT_THAT(Keys(Analyze("C")), ElementsAre(36, 48, 51, 55));
    EXPECT_THAT(Keys(Analyze("A/C#")), ElementsAre(37, 45, 48, 52));
}

TEST_F(ChordAnalysisTest, DefinitionKeysWrapInEightBitsAndNegativeOnesAreDropped) {
    Define("x", {-60, -48, 79, 80, 256, 2147483647});
    // C: keys -12 (dropped), 0, 127, 128 -> -128 (dropped), 256 + 48 -> 48, INT_MAX + 48 wraps to 47.
    EXPECT_THAT(Keys(Analyze("Cx")), ElementsAre(36, 0, 127, 48, 47));
}

TEST_F(ChordAnalysisTest, SymbolMetAgainTakesTheFirstAnalysisUntilADefinitionComes) {
    AnalysedSymbols symbols;
    const auto analyze = [&](std::string_view symbol, std::int32_t start) -> Chord& {
        Chord& chord = chords_.emplace_back();
        chord.textStart = start;
        chord.textEnd = start + static_cast<std::int32_t>(symbol.size());
        EXPECT_EQ(AnalyzeChord(chord, symbol, score_, definitions_, symbols), ChordAnalysis::Ok) << symbol;
        return chord;
    };
    const Chord& first = analyze("Bb7/D", 0);
    analyze("/", 8);
    const Chord& again = analyze("Bb7/D", 12);
    EXPECT_THAT(Keys(again), ElementsAreArray(Keys(first)));
    EXPECT_EQ(again.text(), "Bb7/D");
    EXPECT_EQ(again.suffix(), "7");
    EXPECT_EQ(again.bassName, "D");
    EXPECT_EQ(again.textStart, 12);
    EXPECT_EQ(again.textEnd, 17);
    EXPECT_EQ(score_.lastChord, &again);

    Define("7", {0, 4});
    EXPECT_THAT(VoiceOffsets(analyze("Bb7/D", 20)), ElementsAre(0, 4));
}

}  // namespace
}  // namespace kaz
