#include "harmony/notation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "harmony/score_tree.h"

namespace kaz {
namespace {

using ::testing::ElementsAre;

TEST(NotationTest, NoteNamesReadIntoNormalisedPitchClasses) {
    const std::vector<std::pair<const char*, int>> names = {
        {"C", 0},   {"C#", 1}, {"Db", 1},  {"D", 2},   {"D#", 3}, {"Eb", 3},
        {"E", -8},  {"F", -7}, {"F#", -6}, {"Gb", -6}, {"G", -5}, {"G#", -4},
        {"Ab", -4}, {"A", -3}, {"A#", -2}, {"Bb", -2}, {"B", -1}, {"H", -1},
    };
    for (const auto& [name, pitch] : names) {
        EXPECT_EQ(ReadPitchClass(name), pitch) << name;
    }
}

TEST(NotationTest, NormalisingKeepsEveryPitchClassInRange) {
    for (int pitch = -40; pitch <= 40; ++pitch) {
        const int normal = NormalisePitchClass(pitch);
        EXPECT_GE(normal, -8);
        EXPECT_LE(normal, 3);
        EXPECT_EQ((normal - pitch) % 12, 0) << pitch;
    }
}

TEST(NotationTest, OnlyTheThreeBSpellingsAreRecorded) {
    EXPECT_EQ(SpellingOf("B"), kSpelledB);
    EXPECT_EQ(SpellingOf("Bb"), kSpelledBb);
    EXPECT_EQ(SpellingOf("H"), kSpelledH);
    EXPECT_EQ(SpellingOf("A#"), 0);
    EXPECT_EQ(SpellingOf(""), 0);
}

TEST(NotationTest, TheSettingHoldsWhenTheSpellingsFitIt) {
    for (NotationMode setting : {kEnglishNotation, kGermanNotation, kMixedNotation}) {
        EXPECT_EQ(ResolveNotation(0, setting), setting);
        // A chart using only "H" reads H as B natural under every setting.
        EXPECT_NE(ResolveNotation(kSpelledH, setting), kEnglishNotation);
    }
    EXPECT_EQ(ResolveNotation(kSpelledB, kGermanNotation), kGermanNotation);
    EXPECT_EQ(ResolveNotation(kSpelledB, kMixedNotation), kEnglishNotation);
}

TEST(NotationTest, SpellingsOutsideTheSettingChooseTheFirstModeThatFits) {
    EXPECT_EQ(ResolveNotation(kSpelledB | kSpelledBb, kGermanNotation), kEnglishNotation);
    EXPECT_EQ(ResolveNotation(kSpelledB | kSpelledH, kEnglishNotation), kGermanNotation);
    EXPECT_EQ(ResolveNotation(kSpelledB | kSpelledH, kMixedNotation), kGermanNotation);
    EXPECT_EQ(ResolveNotation(kSpelledBb | kSpelledH, kEnglishNotation), kMixedNotation);
    EXPECT_EQ(ResolveNotation(kSpelledH, kEnglishNotation), kGermanNotation);
    EXPECT_EQ(ResolveNotation(kSpelledBb, kGermanNotation), kEnglishNotation);
}

TEST(NotationTest, SettingTextRoundTrips) {
    for (NotationMode mode : {kEnglishNotation, kGermanNotation, kMixedNotation}) {
        EXPECT_EQ(NotationFromSettingText(NotationSettingText(mode)), mode);
    }
    EXPECT_EQ(NotationSettingText(kGermanNotation), "HB");
    EXPECT_EQ(NotationFromSettingText(""), kEnglishNotation);
    EXPECT_EQ(NotationFromSettingText("hb"), kEnglishNotation);
}

Chord MakeChord(std::string_view root, std::string_view bass, std::vector<int> keys) {
    Chord chord;
    chord.rootName = NoteName(root);
    chord.bassName = NoteName(bass);
    chord.rootPitch = ReadPitchClass(root);
    chord.bassPitch = bass.empty() ? chord.rootPitch : ReadPitchClass(bass);
    chord.noteCount = static_cast<std::int8_t>(keys.size());
    std::copy(keys.begin(), keys.end(), chord.notes);
    return chord;
}

std::vector<int> Keys(const Chord& chord) {
    return {chord.notes, chord.notes + chord.noteCount};
}

TEST(NotationTest, GermanBLowersRootVoiceAndOwnBass) {
    Chord chord = MakeChord("B", "", {35, 47, 57, 63, 66});
    LowerGermanB(chord);
    EXPECT_EQ(chord.rootPitch, -2);
    EXPECT_EQ(chord.bassPitch, -2);
    EXPECT_THAT(Keys(chord), ElementsAre(34, 46, 56, 62, 65));
}

TEST(NotationTest, GermanBLowersOnlyTheSpelledPart) {
    Chord root = MakeChord("B", "D", {38, 47, 59, 63, 66});
    LowerGermanB(root);
    EXPECT_EQ(root.bassPitch, 2);
    EXPECT_THAT(Keys(root), ElementsAre(38, 46, 58, 62, 65));

    Chord bass = MakeChord("G", "B", {35, 43, 55, 59, 62});
    LowerGermanB(bass);
    EXPECT_EQ(bass.rootPitch, -5);
    EXPECT_EQ(bass.bassPitch, -2);
    EXPECT_THAT(Keys(bass), ElementsAre(34, 43, 55, 59, 62));

    Chord other = MakeChord("H", "Bb", {34, 47, 59, 63, 66});
    LowerGermanB(other);
    EXPECT_THAT(Keys(other), ElementsAre(34, 47, 59, 63, 66));
}

TEST(NotationTest, GermanBDropsAKeyThatWouldFallBelowZero) {
    Chord chord = MakeChord("B", "", {35, 0, 47, 0, 50});
    LowerGermanB(chord);
    EXPECT_THAT(Keys(chord), ElementsAre(34, 46, 49));
}

TEST(NotationTest, GermanBLowersEveryChordOfTheScore) {
    ScoreTree score;
    score.allChords.emplace_back() = MakeChord("B", "", {35, 47});
    score.allChords.emplace_back() = MakeChord("C", "", {36, 48});
    score.allChords.emplace_back();  // a rest
    LowerGermanBChords(score);
    EXPECT_THAT(Keys(score.allChords[0]), ElementsAre(34, 46));
    EXPECT_THAT(Keys(score.allChords[1]), ElementsAre(36, 48));
    EXPECT_EQ(score.allChords[2].noteCount, 0);
}

}  // namespace
}  // namespace kaz
