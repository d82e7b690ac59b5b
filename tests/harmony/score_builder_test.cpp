#include "harmony/score_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kaz {
namespace {

using ::testing::ElementsAre;

// Drives the builder the way the grammar's actions do, with the scanner's positions set by hand.
class ScoreBuilderTest : public ::testing::Test {
  protected:
    ScoreBuilderTest() { context_.Reset(text_); }

    void Token(int start, std::string_view text, int line = 0) {
        context_.tokenStart = start;
        context_.tokenLength = static_cast<int>(text.size());
        context_.lineIndex = line;
    }

    void Bracket(int start, int end, int line = 0) {
        context_.bracketStart = start;
        context_.bracketEnd = end;
        context_.lineIndex = line;
    }

    // A written measure of chords, as the chord list rule makes it.
    Measure* Written(std::vector<std::string_view> symbols) {
        Measure* measure = builder_.NewMeasure();
        for (std::string_view symbol : symbols) {
            Token(next_, symbol);
            next_ += static_cast<int>(symbol.size()) + 1;
            EXPECT_TRUE(builder_.AddChord(*measure, symbol));
        }
        return measure;
    }

    void Repeats(int count) {
        for (int i = 0; i < count; ++i) {
            Token(next_, "%");
            next_ += 2;
            builder_.AddRepeatMark();
        }
    }

    // The first chord symbol of every measure of the line, "" for an empty one, "%C" for a repeat of C.
    static std::vector<std::string> Describe(const ScoreLine& line) {
        std::vector<std::string> names;
        for (const Measure* measure : line.measures) {
            const Measure& played = *measure->source;
            std::string name(played.chords.empty() ? "" : played.chords.front()->text());
            names.push_back(measure->repeatEnd != 0 ? "%" + name : name);
        }
        return names;
    }

    const LanguageError& Error() {
        EXPECT_TRUE(context_.lastError.has_value());
        return *context_.lastError;
    }

    std::string text_ = std::string(200, ' ');
    CompileContext context_;
    ScoreTree score_;
    ChordDefinitions definitions_;
    ScoreBuilder builder_{score_, context_, definitions_};
    int next_ = 0;
};

TEST_F(ScoreBuilderTest, MeterSetsTheLengthOfLaterMeasures) {
    const std::vector<std::pair<std::pair<int, int>, Ticks>> meters = {
        {{3, 4}, 1440}, {{7, 8}, 1680}, {{5, 16}, 600}, {{3, 256}, 22}, {{256, 256}, 1920}, {{1, 1}, 1920}};
    EXPECT_EQ(builder_.NewMeasure()->ticks, 1920);
    for (const auto& [meter, ticks] : meters) {
        ASSERT_TRUE(builder_.SetMeter(meter.first, meter.second));
        Measure* measure = builder_.NewMeasure();
        EXPECT_EQ(measure->ticks, ticks);
        EXPECT_EQ(measure->meterNum, meter.first);
        EXPECT_EQ(measure->meterDen, meter.second);
        EXPECT_EQ(measure->source, measure);
        builder_.AppendMeasure(*builder_.NewScoreLine(), *measure);
    }
    EXPECT_FALSE(context_.lastError.has_value());
}

TEST_F(ScoreBuilderTest, MeterOutsideOneTo256IsInvalid) {
    for (const auto& [num, den, text] :
         std::vector<std::tuple<int, int, std::string>>{{0, 4, "0/4"},
                                                        {4, 0, "4/0"},
                                                        {257, 4, "257/4"},
                                                        {-3, 4, "-3/4"},
                                                        {2147483647, 4, "2147483647/4"}}) {
        CompileContext context;
        context.Reset(text_);
        context.bracketStart = 10;
        context.bracketEnd = 17;
        context.lineIndex = 2;
        ScoreBuilder builder(score_, context, definitions_);
        EXPECT_FALSE(builder.SetMeter(num, den));
        ASSERT_TRUE(context.lastError.has_value());
        EXPECT_EQ(context.lastError->message, "Invalid meter");
        EXPECT_EQ(context.lastError->text, text);
        EXPECT_EQ(context.lastError->line, 3);
        EXPECT_EQ(context.lastError->selection, (TextRange{10, 17}));
    }
    EXPECT_EQ(score_.currentMeter.ticks, 1920);
}

TEST_F(ScoreBuilderTest, SecondMeterBeforeAMeasureIsReported) {
    ASSERT_TRUE(builder_.SetMeter(3, 4));
    Bracket(7, 12, 1);
    EXPECT_FALSE(builder_.SetMeter(2, 4));
    const LanguageError& error = Error();
    EXPECT_EQ(error.message, "Multiple meter");
    EXPECT_EQ(error.text, "2/4");
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.selection, (TextRange{7, 12}));
    EXPECT_EQ(FormatErrorMessage(error), "Line: 2\nMultiple meter: `2/4`");
}

TEST_F(ScoreBuilderTest, OneMeterPerMeasure) {
    ASSERT_TRUE(builder_.SetMeter(3, 4));
    ScoreLine* line = builder_.NewScoreLine();
    builder_.AppendMeasure(*line, *builder_.NewMeasure());
    EXPECT_TRUE(builder_.SetMeter(2, 4));
    // Padding leaves the mark given: the measure it opens is still to come.
    builder_.PadLine(*line, 1, 1);
    EXPECT_FALSE(builder_.SetMeter(4, 4));
}

TEST_F(ScoreBuilderTest, TempoRange) {
    EXPECT_TRUE(builder_.SetTempo(20));
    EXPECT_EQ(score_.scoreTempo, 20);
    for (int bpm : {19, 301, -1}) {
        ScoreTree score;
        CompileContext context;
        context.Reset(text_);
        ScoreBuilder builder(score, context, definitions_);
        EXPECT_FALSE(builder.SetTempo(bpm));
        ASSERT_TRUE(context.lastError.has_value());
        EXPECT_EQ(context.lastError->message, "Invalid tempo");
        EXPECT_EQ(context.lastError->text, std::to_string(bpm));
    }
    ScoreTree score;
    ScoreBuilder builder(score, context_, definitions_);
    EXPECT_TRUE(builder.SetTempo(300));
}

TEST_F(ScoreBuilderTest, SecondTempoAnywhereIsMultipleTempo) {
    ASSERT_TRUE(builder_.SetTempo(90));
    builder_.AppendMeasure(*builder_.NewScoreLine(), *builder_.NewMeasure());
    Bracket(30, 42, 4);
    EXPECT_FALSE(builder_.SetTempo(120));
    const LanguageError& error = Error();
    EXPECT_EQ(error.message, "Multiple tempo");
    EXPECT_EQ(error.text, "120");
    EXPECT_EQ(error.line, 5);
    EXPECT_EQ(error.selection, (TextRange{30, 42}));
    EXPECT_EQ(score_.scoreTempo, 90);
}

TEST_F(ScoreBuilderTest, ChordTakesTheTokenPositions) {
    Measure* measure = builder_.NewMeasure();
    Token(14, "Am7/G");
    ASSERT_TRUE(builder_.AddChord(*measure, "Am7/G"));
    ASSERT_EQ(score_.allChords.size(), 1u);
    const Chord& chord = score_.allChords[0];
    ASSERT_EQ(measure->chords.size(), 1u);
    EXPECT_EQ(measure->chords[0], &chord);
    EXPECT_EQ(chord.textStart, 14);
    EXPECT_EQ(chord.textEnd, 19);
    EXPECT_EQ(chord.noteCount, 5);
}

TEST_F(ScoreBuilderTest, UnknownChordIsReportedAtTheSymbol) {
    Measure* measure = builder_.NewMeasure();
    Token(21, "Cadd8", 3);
    EXPECT_FALSE(builder_.AddChord(*measure, "Cadd8"));
    const LanguageError& error = Error();
    EXPECT_EQ(error.message, "Unknown chord");
    EXPECT_EQ(error.text, "Cadd8");
    EXPECT_EQ(error.line, 4);
    EXPECT_EQ(error.selection, (TextRange{21, 26}));
    EXPECT_EQ(score_.allChords.size(), 1u);
    EXPECT_EQ(measure->chords.size(), 1u);
}

TEST_F(ScoreBuilderTest, ThirdBSpellingIsReportedAtTheSymbol) {
    Written({"B", "Bb"});
    Measure* measure = builder_.NewMeasure();
    Token(40, "C/H", 1);
    EXPECT_FALSE(builder_.AddChord(*measure, "C/H"));
    const LanguageError& error = Error();
    EXPECT_EQ(error.message, "B/Bb/H ambiguity");
    EXPECT_EQ(error.text, "C/H");
    EXPECT_EQ(error.line, 2);
    EXPECT_EQ(error.selection, (TextRange{40, 43}));
}

TEST_F(ScoreBuilderTest, PaddingFillsFrontAndBackInTheMeterOfTheCall) {
    ScoreLine* line = builder_.NewScoreLine();
    builder_.AppendMeasure(*line, *Written({"C"}));
    builder_.AppendMeasure(*line, *Written({"D"}));
    ASSERT_TRUE(builder_.SetMeter(3, 4));
    builder_.PadLine(*line, 2, 1);
    EXPECT_THAT(Describe(*line), ElementsAre("", "", "C", "D", ""));
    EXPECT_EQ(line->measures[0]->ticks, 1440);
    EXPECT_EQ(line->measures[4]->ticks, 1440);
    EXPECT_EQ(line->measures[2]->ticks, 1920);
    // The front slots are filled in order: slot 0 holds the measure made first.
    const auto madeAt = [&](const Measure* measure) {
        std::size_t index = 0;
        while (index < score_.allMeasures.size() && &score_.allMeasures[index] != measure) {
            ++index;
        }
        return index;
    };
    EXPECT_LT(madeAt(line->measures[0]), madeAt(line->measures[1]));
    EXPECT_EQ(score_.CountMeasures(), 5);
}

TEST_F(ScoreBuilderTest, RunOfRepeatsRepeatsTheLastMeasuresInOrder) {
    // | C | D | %% |
    ScoreLine* line = builder_.NewScoreLine();
    builder_.AppendMeasure(*line, *Written({"C"}));
    builder_.AppendMeasure(*line, *Written({"D"}));
    Repeats(2);
    builder_.PadLine(*line, 0, 0);
    builder_.AppendRepeatMeasures(*line);
    EXPECT_THAT(Describe(*line), ElementsAre("C", "D", "%C", "%D"));
    EXPECT_EQ(line->measures[2]->repeatStart, 4);
    EXPECT_EQ(line->measures[2]->repeatEnd, 5);
    EXPECT_EQ(line->measures[3]->repeatStart, 6);
    EXPECT_TRUE(score_.pendingRepeats.empty());
}

TEST_F(ScoreBuilderTest, RepeatOfARepeatPlaysTheWrittenMeasure) {
    // | C | % | % |, then on the next line | %%% |
    ScoreLine* line = builder_.NewScoreLine();
    Measure* c = Written({"C"});
    builder_.AppendMeasure(*line, *c);
    for (int i = 0; i < 2; ++i) {
        Repeats(1);
        builder_.AppendRepeatMeasures(*line);
    }
    ScoreLine* next = builder_.NewScoreLine();
    Repeats(3);
    builder_.AppendRepeatMeasures(*next);
    for (const ScoreLine* each : {line, next}) {
        for (const Measure* measure : each->measures) {
            EXPECT_EQ(measure->source, c);
        }
    }
    EXPECT_EQ(score_.CountMeasures(), 6);
}

TEST_F(ScoreBuilderTest, RepeatBeforeAnyMeasureRepeatsItself) {
    ScoreLine* line = builder_.NewScoreLine();
    Repeats(2);
    builder_.AppendRepeatMeasures(*line);
    ASSERT_EQ(line->measures.size(), 2u);
    for (const Measure* measure : line->measures) {
        EXPECT_EQ(measure->source, measure);
        EXPECT_TRUE(measure->chords.empty());
        EXPECT_NE(measure->repeatEnd, 0);
    }
}

TEST_F(ScoreBuilderTest, RepeatKeepsTheMeterOfItsSource) {
    ScoreLine* line = builder_.NewScoreLine();
    builder_.AppendMeasure(*line, *Written({"C"}));
    ASSERT_TRUE(builder_.SetMeter(3, 4));
    Repeats(1);
    builder_.AppendRepeatMeasures(*line);
    const Measure& repeat = *line->measures[1];
    EXPECT_EQ(repeat.ticks, 1920);
    EXPECT_EQ(repeat.meterNum, 4);
    EXPECT_EQ(repeat.meterDen, 4);
    // Appending repeat measures leaves the meter mark in force for the next written measure.
    EXPECT_FALSE(builder_.SetMeter(2, 4));
}

TEST_F(ScoreBuilderTest, RepeatsReachBackOverEmptyLines) {
    ScoreLine* first = builder_.NewScoreLine();
    builder_.AppendMeasure(*first, *Written({"C"}));
    builder_.AppendMeasure(*first, *Written({"D"}));
    builder_.NewScoreLine();  // a line of one bar line only
    builder_.NewScoreLine();
    ScoreLine* last = builder_.NewScoreLine();
    Repeats(2);
    builder_.AppendRepeatMeasures(*last);
    EXPECT_THAT(Describe(*last), ElementsAre("%C", "%D"));
}

TEST(ScoreTreeTest, MeasureAtCountsOverLinesFromEitherEnd) {
    ScoreTree score;
    std::vector<const Measure*> flat;
    for (int size : {2, 0, 3, 0, 0, 1, 4}) {
        ScoreLine& line = score.AddLine();
        for (int i = 0; i < size; ++i) {
            score.AppendToLine(line, score.allMeasures.emplace_back());
            flat.push_back(line.measures.back());
        }
    }
    const int count = score.CountMeasures();
    ASSERT_EQ(count, 10);
    for (int index = -1; index <= count; ++index) {
        const Measure* expected =
            index >= 0 && index < count ? flat[static_cast<std::size_t>(index)] : nullptr;
        EXPECT_EQ(score.MeasureAt(index), expected) << index;
        EXPECT_EQ(score.MeasureAt(index, count), expected) << index;
    }
}

TEST(ScoreTreeTest, ClearForgetsTheCompileButResetKeepsTheTree) {
    ScoreTree score;
    score.AddLine();
    score.allChords.emplace_back();
    score.pendingRepeats.push_back({1, 2});
    score.bLettersSeen = kSpelledH;
    score.lastChord = &score.allChords.back();
    score.currentMeter = Meter{3, 4, 1440};
    score.meterGiven = score.tempoGiven = true;
    score.scoreTempo = 90;

    score.Clear();
    EXPECT_TRUE(score.scoreLines.empty());
    EXPECT_TRUE(score.allChords.empty());
    EXPECT_TRUE(score.pendingRepeats.empty());
    EXPECT_EQ(score.bLettersSeen, 0);
    EXPECT_EQ(score.lastChord, nullptr);

    score.ResetCompileState();
    EXPECT_EQ(score.currentMeter.ticks, 1920);
    EXPECT_FALSE(score.meterGiven);
    EXPECT_FALSE(score.tempoGiven);
    EXPECT_EQ(score.scoreTempo, 90);
}

}  // namespace
}  // namespace kaz
