#include "render/arrangement_renderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "render/form_unrolling.h"

namespace kaz {
namespace {

//! A score tree built by hand, the way the grammar's actions build one.
class TestScore {
  public:
    ScoreLine& Line() { return tree.AddLine(); }

    Measure& MeasureIn(ScoreLine& line, int num = 4, int den = 4) {
        Measure& measure = tree.allMeasures.emplace_back();
        measure.meterNum = num;
        measure.meterDen = den;
        measure.ticks = num * TICKS_PER_WHOLE / den;
        tree.AppendToLine(line, measure);
        return measure;
    }

    //! A '%' slot at [start, end) of the text that plays source.
    Measure& RepeatIn(ScoreLine& line, const Measure& source, int start) {
        Measure& repeat = MeasureIn(line, source.meterNum, source.meterDen);
        repeat.ticks = source.ticks;
        repeat.source = &source;
        repeat.repeatStart = start;
        repeat.repeatEnd = start + 1;
        return repeat;
    }

    //! A chord at offset start; keys are the bass key then the chord keys.
    Chord& ChordIn(Measure& measure, std::string_view text, int start, std::initializer_list<int> keys,
                   std::string rootName = "", std::string bassName = "") {
        Chord& chord = tree.allChords.emplace_back();
        chord.textStart = start;
        chord.textEnd = start + static_cast<int>(text.size());
        chord.SetText(tree.chordTexts.Keep(text));
        chord.rootName = std::move(rootName);
        chord.bassName = std::move(bassName);
        for (const int key : keys) {
            chord.notes[chord.noteCount++] = static_cast<std::int8_t>(key);
        }
        measure.chords.AddLast(tree.allChords);
        return chord;
    }

    //! Lay out the form and render once; list the events, one "kaz-cli events" line each.
    std::string Render(const RenderSettings& settings = {}) {
        CompileContext context;
        EXPECT_TRUE(UnrollForm(tree, context));
        rendered = RenderArrangement(tree, settings, events);
        listing.clear();
        for (std::size_t i = 0; i < events.size(); ++i) {
            AppendEventLine(listing, events[i]);
        }
        return listing;
    }

    //! The lines of the last listing whose kind is one of kinds.
    [[nodiscard]] std::string Only(std::initializer_list<std::string_view> kinds) const {
        std::istringstream all(listing);
        std::string kept;
        for (std::string line; std::getline(all, line);) {
            const std::size_t start = line.find(' ') + 1;
            const std::string_view kind = std::string_view(line).substr(start, line.find(' ', start) - start);
            if (std::find(kinds.begin(), kinds.end(), kind) != kinds.end()) {
                kept += line + "\n";
            }
        }
        return kept;
    }

    ScoreTree tree;
    EventList events;
    bool rendered = false;
    std::string listing;
};

constexpr std::initializer_list<int> kC = {36, 48, 60, 64, 67};
constexpr std::initializer_list<int> kG7 = {31, 43, 53, 59, 62};

TEST(RenderArrangement, OneChordInOneMeasure) {
    TestScore score;
    score.ChordIn(score.MeasureIn(score.Line()), "C", 1, kC);
    EXPECT_EQ(score.Render(),
              "0 tempo 120\n0 program 0 26\n0 program 1 32\n0 timesig 4 4\n0 highlight 1 2\n"
              "0 on 1 36 75\n0 on 0 48 80\n0 on 0 60 80\n0 on 0 64 80\n0 on 0 67 80\n"
              "1728 off 1 36 75\n1728 off 0 48 80\n1728 off 0 60 80\n1728 off 0 64 80\n1728 off 0 67 80\n"
              "1920 end\n");
    EXPECT_TRUE(score.rendered);
}

TEST(RenderArrangement, ChordsShareTheMeasureEvenlyAndSoundNineTenthsOfTheirSlot) {
    TestScore two;
    Measure& measure = two.MeasureIn(two.Line());
    two.ChordIn(measure, "C", 0, {36});
    two.ChordIn(measure, "G", 2, {31});
    two.Render();
    EXPECT_EQ(two.Only({"on", "off"}), "0 on 1 36 75\n864 off 1 36 75\n960 on 1 31 75\n1824 off 1 31 75\n");

    TestScore three;
    Measure& threeChords = three.MeasureIn(three.Line());
    for (int i = 0; i < 3; ++i) {
        three.ChordIn(threeChords, "C", 2 * i, {36});
    }
    three.Render();
    EXPECT_EQ(three.Only({"on", "off"}),
              "0 on 1 36 75\n576 off 1 36 75\n640 on 1 36 75\n1216 off 1 36 75\n1280 on 1 36 75\n"
              "1856 off 1 36 75\n");

    // The remainder of 1920 / 7 is spread over the slots, not heaped on the last.
    TestScore seven;
    Measure& sevenChords = seven.MeasureIn(seven.Line());
    for (int i = 0; i < 7; ++i) {
        seven.ChordIn(sevenChords, "C", 2 * i, {36});
    }
    seven.Render();
    EXPECT_EQ(seven.Only({"on"}),
              "0 on 1 36 75\n274 on 1 36 75\n548 on 1 36 75\n822 on 1 36 75\n1097 on 1 36 75\n"
              "1371 on 1 36 75\n1645 on 1 36 75\n");
}

TEST(RenderArrangement, MeterIsWrittenWhereItChangesAndMeasuresKeepTheirLength) {
    TestScore score;
    ScoreLine& line = score.Line();
    score.ChordIn(score.MeasureIn(line, 3, 4), "C", 0, {36});
    score.ChordIn(score.MeasureIn(line), "C", 2, {36});
    score.ChordIn(score.MeasureIn(score.Line()), "C", 4, {36});
    score.Render();
    EXPECT_EQ(
        score.Only({"timesig", "off", "end"}),
        "0 timesig 3 4\n1296 off 1 36 75\n1440 timesig 4 4\n3168 off 1 36 75\n5088 off 1 36 75\n5280 end\n");
}

TEST(RenderArrangement, HoldsLengthenTheStruckChordAndRestsEndIt) {
    TestScore hold;
    Measure& first = hold.MeasureIn(hold.Line());
    hold.ChordIn(first, "C", 0, {36});
    hold.ChordIn(first, "=", 2, {36});
    hold.Render();
    EXPECT_EQ(hold.Only({"on", "off", "highlight"}),
              "0 highlight 0 1\n0 on 1 36 75\n960 highlight 2 3\n1824 off 1 36 75\n");

    // Over a bar line too, but a rest ends the chord and a hold after it strikes nothing.
    TestScore rest;
    ScoreLine& line = rest.Line();
    rest.ChordIn(rest.MeasureIn(line), "C", 0, {36});
    Measure& second = rest.MeasureIn(line);
    rest.ChordIn(second, "=", 2, {36});
    rest.ChordIn(second, "-", 4, {});
    rest.ChordIn(second, "=", 6, {});
    rest.Render();
    EXPECT_EQ(rest.Only({"on", "off"}), "0 on 1 36 75\n2496 off 1 36 75\n");
}

TEST(RenderArrangement, ChartOfOnlyRestsAndHoldsHasNothingToPlay) {
    TestScore score;
    Measure& measure = score.MeasureIn(score.Line());
    score.ChordIn(measure, "=", 0, {});
    score.ChordIn(measure, "-", 2, {});
    score.Render();
    EXPECT_FALSE(score.rendered);
    EXPECT_EQ(score.Only({"highlight", "end"}), "0 highlight 0 1\n960 highlight 2 3\n1920 end\n");
}

TEST(RenderArrangement, EmptyMeasureEndsHeldNotesAndClearsTheSelection) {
    TestScore score;
    ScoreLine& line = score.Line();
    score.ChordIn(score.MeasureIn(line), "C", 0, {36});
    score.MeasureIn(line);
    Measure& third = score.MeasureIn(line);
    score.ChordIn(third, "=", 6, {});
    score.ChordIn(third, "G7", 8, kG7);
    score.Render();
    EXPECT_EQ(score.Only({"on", "off", "highlight"}),
              "0 highlight 0 1\n0 on 1 36 75\n1728 off 1 36 75\n1920 highlight 0 0\n3840 highlight 6 7\n"
              "4800 highlight 8 10\n4800 on 1 31 75\n4800 on 0 43 80\n4800 on 0 53 80\n4800 on 0 59 80\n"
              "4800 on 0 62 80\n5664 off 1 31 75\n5664 off 0 43 80\n5664 off 0 53 80\n5664 off 0 59 80\n"
              "5664 off 0 62 80\n");
}

TEST(RenderArrangement, RepeatSlotHighlightsItsMarkAndStrikesTheSourceAgain) {
    TestScore score;
    ScoreLine& line = score.Line();
    Measure& source = score.MeasureIn(line);
    score.ChordIn(source, "C", 0, {36});
    score.ChordIn(source, "G", 2, {31});
    score.RepeatIn(line, source, 6);
    score.Render();
    EXPECT_EQ(score.Only({"on", "highlight"}),
              "0 highlight 0 1\n0 on 1 36 75\n960 highlight 2 3\n960 on 1 31 75\n1920 highlight 6 7\n"
              "1920 on 1 36 75\n2880 on 1 31 75\n");
}

TEST(RenderArrangement, RepeatOfNothingHighlightsOnlyItsMark) {
    TestScore score;
    ScoreLine& line = score.Line();
    Measure& lone = score.MeasureIn(line);  // a '%' before any measure repeats itself
    lone.repeatStart = 0;
    lone.repeatEnd = 1;
    Measure& empty = score.MeasureIn(line);
    score.RepeatIn(line, empty, 5);
    score.ChordIn(score.MeasureIn(line), "C", 7, {36});
    score.Render();
    EXPECT_EQ(
        score.Only({"highlight"}),
        "0 highlight 0 1\n1920 highlight 0 0\n3840 highlight 5 6\n3840 highlight 0 0\n5760 highlight 7 8\n");
}

TEST(RenderArrangement, VoicesFollowTheirSwitchesProgramsAndVolumes) {
    RenderSettings settings;
    settings.parts["comping"].muted = true;
    settings.parts["comping"].program = 0;
    settings.parts["bass"].program = 33;
    settings.parts["bass"].volume = 100;
    TestScore bassOnly;
    bassOnly.ChordIn(bassOnly.MeasureIn(bassOnly.Line()), "C", 0, kC);
    bassOnly.Render(settings);
    EXPECT_TRUE(bassOnly.rendered);
    EXPECT_EQ(bassOnly.Only({"program", "on"}), "0 program 0 0\n0 program 1 33\n0 on 1 36 100\n");

    settings.parts["bass"].muted = true;
    TestScore silent;
    silent.ChordIn(silent.MeasureIn(silent.Line()), "C", 0, kC);
    silent.Render(settings);
    EXPECT_FALSE(silent.rendered);
    EXPECT_EQ(silent.Only({"on", "off", "highlight"}), "0 highlight 0 1\n");
}

TEST(RenderArrangement, ChartTempoMarkWinsOverTheTransportTempo) {
    RenderSettings settings;
    settings.transportTempo = 90;
    TestScore plain;
    plain.ChordIn(plain.MeasureIn(plain.Line()), "C", 0, {36});
    plain.Render(settings);
    EXPECT_EQ(plain.Only({"tempo"}), "0 tempo 90\n");

    TestScore marked;
    marked.tree.tempoGiven = true;
    marked.tree.scoreTempo = 132;
    marked.ChordIn(marked.MeasureIn(marked.Line()), "C", 0, {36});
    marked.Render(settings);
    EXPECT_EQ(marked.Only({"tempo"}), "0 tempo 132\n");

    // A tempo kept from an earlier compile does not count.
    TestScore stale;
    stale.tree.scoreTempo = 132;
    stale.ChordIn(stale.MeasureIn(stale.Line()), "C", 0, {36});
    stale.Render(settings);
    EXPECT_EQ(stale.Only({"tempo"}), "0 tempo 90\n");
}

//! A chart spelled "B | C/B", rendered under setting, with the spellings it used.
std::string BassAndRootOfB(NotationMode setting, NotationMode seen, NotationMode* resolved = nullptr) {
    TestScore score;
    score.tree.bLettersSeen = seen;
    ScoreLine& line = score.Line();
    score.ChordIn(score.MeasureIn(line), "B", 0, {35, 47, 59, 63, 66}, "B");
    score.ChordIn(score.MeasureIn(line), "C/B", 4, {35, 48, 60, 64, 67}, "C", "B");
    RenderSettings settings;
    settings.notation = setting;
    score.Render(settings);
    if (resolved != nullptr) {
        *resolved = score.tree.bLettersSeen;
    }
    return score.Only({"on"});
}

TEST(RenderArrangement, GermanChartsReadBAsBFlat) {
    const std::string natural =
        "0 on 1 35 75\n0 on 0 47 80\n0 on 0 59 80\n0 on 0 63 80\n0 on 0 66 80\n"
        "1920 on 1 35 75\n1920 on 0 48 80\n1920 on 0 60 80\n1920 on 0 64 80\n1920 on 0 67 80\n";
    const std::string flat =
        "0 on 1 34 75\n0 on 0 46 80\n0 on 0 58 80\n0 on 0 62 80\n0 on 0 65 80\n"
        "1920 on 1 34 75\n1920 on 0 48 80\n1920 on 0 60 80\n1920 on 0 64 80\n1920 on 0 67 80\n";
    NotationMode resolved = 0;
    EXPECT_EQ(BassAndRootOfB(kGermanNotation, kSpelledB, &resolved), flat);
    EXPECT_EQ(resolved, kGermanNotation);
    EXPECT_EQ(BassAndRootOfB(kEnglishNotation, kSpelledB, &resolved), natural);
    EXPECT_EQ(resolved, kEnglishNotation);
    EXPECT_EQ(BassAndRootOfB(kMixedNotation, kSpelledB, &resolved), natural);
    EXPECT_EQ(resolved, kEnglishNotation);
    // The other spellings a chart uses decide over the setting.
    EXPECT_EQ(BassAndRootOfB(kEnglishNotation, kSpelledB | kSpelledH, &resolved), flat);
    EXPECT_EQ(resolved, kGermanNotation);
    EXPECT_EQ(BassAndRootOfB(kGermanNotation, kSpelledB | kSpelledBb, &resolved), natural);
    EXPECT_EQ(resolved, kEnglishNotation);
}

TEST(RenderArrangement, GermanLoweringDropsAKeyThatWouldFallBelowZero) {
    TestScore score;
    score.tree.bLettersSeen = kSpelledB;
    score.ChordIn(score.MeasureIn(score.Line()), "Blow", 0, {35, 0, 47}, "B");
    RenderSettings settings;
    settings.notation = kGermanNotation;
    score.Render(settings);
    EXPECT_EQ(score.Only({"on", "off"}), "0 on 1 34 75\n0 on 0 46 80\n1728 off 1 34 75\n1728 off 0 46 80\n");
}

TEST(RenderArrangement, SongEndsBeforeItsTimeWouldOverflow) {
    TestScore score;
    ScoreLine& line = score.Line();
    const Ticks longest = 256 * TICKS_PER_WHOLE;
    const int fitting = std::numeric_limits<Ticks>::max() / longest;
    for (int i = 0; i < fitting + 3; ++i) {
        score.ChordIn(score.MeasureIn(line, 256, 1), "C", 2 * i, {36});
    }
    score.Render();
    EXPECT_TRUE(score.rendered);
    const MidiEvent& last = score.events[score.events.size() - 1];
    EXPECT_EQ(last.kind, EventKind::EndOfTrack);
    EXPECT_EQ(last.time, fitting * longest);
    int notes = 0;
    for (std::size_t i = 0; i < score.events.size(); ++i) {
        notes += score.events[i].kind == EventKind::NoteOn ? 1 : 0;
    }
    EXPECT_EQ(notes, fitting);
}

TEST(RenderArrangement, EveryNoteEndsBeforeItsKeyIsStruckAgainAndTheListIsInTimeOrder) {
    // Slots shorter than a tick, holds, rests, repeats and a meter change in one score.
    TestScore score;
    ScoreLine& line = score.Line();
    Measure& tiny = score.MeasureIn(line, 1, 256);
    for (int i = 0; i < 10; ++i) {
        score.ChordIn(tiny, i % 3 == 2 ? "=" : "C", 2 * i, kC);
    }
    Measure& waltz = score.MeasureIn(line, 3, 4);
    score.ChordIn(waltz, "C", 30, kC);
    score.ChordIn(waltz, "-", 32, {});
    score.ChordIn(waltz, "G7", 34, kG7);
    score.RepeatIn(line, tiny, 40);
    score.RepeatIn(score.Line(), waltz, 42);
    score.Render();

    std::map<std::pair<int, int>, int> sounding;
    const auto count = [&sounding](int channel, int key) -> int& { return sounding[{channel, key}]; };
    Ticks previous = 0;
    for (std::size_t i = 0; i < score.events.size(); ++i) {
        const MidiEvent& event = score.events[i];
        ASSERT_GE(event.time, previous) << "event " << i;
        previous = event.time;
        if (event.kind == EventKind::NoteOn) {
            ASSERT_EQ(count(event.channel(), event.key())++, 0) << "struck while sounding, event " << i;
        } else if (event.kind == EventKind::NoteOff) {
            ASSERT_EQ(count(event.channel(), event.key())--, 1) << "ended while silent, event " << i;
        }
    }
    for (const auto& [key, notes] : sounding) {
        EXPECT_EQ(notes, 0);
    }
    EXPECT_EQ(score.events[score.events.size() - 1].kind, EventKind::EndOfTrack);
}

TEST(ClearScore, FreesTheTreeAndTheEventsAndForgetsTheSpellings) {
    TestScore score;
    score.ChordIn(score.MeasureIn(score.Line()), "C", 0, kC);
    score.tree.bLettersSeen = kSpelledB;
    score.Render();
    ClearScore(score.tree, score.events);
    EXPECT_TRUE(score.events.empty());
    EXPECT_EQ(score.events.PendingCount(), 0u);
    EXPECT_TRUE(score.tree.scoreLines.empty());
    EXPECT_TRUE(score.tree.allMeasures.empty());
    EXPECT_TRUE(score.tree.allChords.empty());
    EXPECT_EQ(score.tree.bLettersSeen, 0);
    ClearScore(score.tree, score.events);
    EXPECT_TRUE(score.events.empty());
}

}  // namespace
}  // namespace kaz
