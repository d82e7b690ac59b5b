#include "render/form_unrolling.h"

#include <gtest/gtest.h>

#include <string>

#include "language/compile_score.h"
#include "render/song_map.h"

namespace kaz {
namespace {

//! A chart compiled through the whole pipeline.
struct Song {
    explicit Song(std::string chart)
        : text(std::move(chart)), compiled(Compile(text)), score(compiled->score), result(compiled->result) {}

    //! The symbols the performance highlights, in playing order, as they stand in the text.
    [[nodiscard]] std::string Played() const {
        std::string out;
        for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
            const MidiEvent& event = compiled->performance[i];
            if (event.kind == EventKind::Highlight && event.end() > event.start()) {
                out += (out.empty() ? "" : " ") +
                       text.substr(static_cast<std::size_t>(event.start()),
                                   static_cast<std::size_t>(event.end() - event.start()));
            }
        }
        return out;
    }
    [[nodiscard]] std::string Selected() const {
        const TextRange range = result.error.selection;
        return text.substr(static_cast<std::size_t>(range.start),
                           static_cast<std::size_t>(range.end - range.start));
    }

    std::string text;
    std::shared_ptr<const CompiledChart> compiled;
    const ScoreTree& score;
    const CompileResult& result;
};

std::string Played(std::string chart) {
    const Song song(std::move(chart));
    EXPECT_TRUE(song.result.Accepted()) << song.text << ": " << song.result.error.message;
    return song.Played();
}

TEST(FormUnrolling, ARepeatPlaysItsPassageTwiceOrAsOftenAsCounted) {
    EXPECT_EQ(Played("C |: D | E :| F"), "C D E D E F");
    EXPECT_EQ(Played("|: C :| x3 D"), "C C C D");
    EXPECT_EQ(Played("|: C [x3] :| D"), "C C C D");
    EXPECT_EQ(Played("C ||: D :|| E :|: F :| G"), "C D D E E F F G");
}

TEST(FormUnrolling, ARepeatWithoutItsStartGoesBackToTheLastRepeatSectionOrTheStart) {
    EXPECT_EQ(Played("C | D :| E :|"), "C D C D E E");
    EXPECT_EQ(Played("C | [B] D | E :|"), "C D E D E");
}

TEST(FormUnrolling, EndingsPlayOnTheirPasses) {
    EXPECT_EQ(Played("|: C | [1.] D :| [2.] E :| [3.] F | G"), "C D C E C F G");
    EXPECT_EQ(Played("|: C | [1.2.] D :| [3.] E\nF"), "C D C D C E F");
}

TEST(FormUnrolling, EveryJumpPlaysThePrintedWay) {
    const char* coda = "[SEGNO] C | D [TO CODA] | E [FINE] | F ";
    EXPECT_EQ(Played("C | D [D.C.] | E"), "C D C D E");
    EXPECT_EQ(Played("C [FINE] | D [D.C. al Fine] | E"), "C D C");
    EXPECT_EQ(Played("C [TO CODA] | D [D.C. al Coda] | [CODA] E"), "C D C E");
    EXPECT_EQ(Played("C | [SEGNO] D | E [D.S.] | F"), "C D E D E F");
    EXPECT_EQ(Played(std::string(coda) + "[D.S. al Fine] | [CODA] G"), "C D E F C D E");
    EXPECT_EQ(Played(std::string(coda) + "[D.S. al Coda] | [CODA] G"), "C D E F C D G");
    EXPECT_EQ(Played("C | [SEGNO] Dm | Em [TO CODA] | F [D.S. al Coda] | [CODA] G |"), "C Dm Em F Dm Em G");
}

TEST(FormUnrolling, FormMarksAreReadInAnyCaseAndAfterTheLastBarLine) {
    EXPECT_EQ(Played("C [Fine] | D | [d.c. al fine]"), "C D C");
    EXPECT_EQ(Played("[Segno] C | D [To Coda] | E |\n[DS al Coda]\n[Coda] F"), "C D E C D F");
    EXPECT_EQ(Played("|: C | D :| [D.C.]"), "C D C D C D");
    const Song first("[D.C.]\nC |");
    EXPECT_EQ(first.result.error.message, "No measure before this mark");
    EXPECT_EQ(first.Selected(), "[D.C.]");
    EXPECT_EQ(first.result.error.line, 1);
}

TEST(FormUnrolling, ASectionMayStartWithTheNextEnding) {
    EXPECT_EQ(Played("|: C | [1.] D :|\n[B] [2.] E"), "C D C E");
}

TEST(FormUnrolling, AfterAJumpRepeatsAreNotTakenAndTheLastEndingPlays) {
    EXPECT_EQ(Played("|: C | [1.] D :| [2.] E [FINE] | F [D.C. al Fine]"), "C D C E F C E");
    EXPECT_EQ(Played("|: C | D [D.C.] :| E"), "C D C D C D E");
}

TEST(FormUnrolling, EveryPlayedMeasureKnowsItsSlotAndPass) {
    const Song song("[A] C | [B] D :|");
    ASSERT_TRUE(song.result.Accepted());
    const auto& order = song.score.playOrder;
    ASSERT_EQ(order.size(), 3U);
    EXPECT_EQ(order[2].slot, 1U);
    EXPECT_EQ(order[2].pass, 2U);
    const SongMap map(song.score);
    const SongPlace place = map.PlaceAt(static_cast<double>(map.MeasureStart(3)), std::nullopt);
    EXPECT_EQ(place.measure, 3);
    EXPECT_EQ(place.writtenMeasure, 2);
    EXPECT_EQ(place.pass, 2);
    EXPECT_EQ(place.section, "B");
}

TEST(FormUnrolling, ASectionMarkLoopsTheWholeSectionAsPlayed) {
    const Song song("[A] C |: D :|\n[Verse 2] E | F\n");
    ASSERT_TRUE(song.result.Accepted());
    const SongMap map(song.score);
    const auto caretAt = [&](std::string_view part) {
        const int at = static_cast<int>(song.text.find(part)) + 1;
        return map.MeasuresTouching(song.text, {at, at});
    };
    EXPECT_EQ(caretAt("[A]"), (MeasureSpan{1, 3}));
    EXPECT_EQ(caretAt("[Verse"), (MeasureSpan{4, 5}));
    EXPECT_EQ(caretAt("E"), (MeasureSpan{4, 4}));
}

TEST(FormUnrolling, AFormThatCannotBePlayedIsAnErrorAtItsMark) {
    struct Case {
        const char* chart;
        const char* message;
        const char* selected;
    };
    for (const Case& bad : {
             Case{"C | [1.] D | E", "Ending without a repeat", "[1.]"},
             Case{"|: C | [1.] D | [2.] E :|", "Ending without a repeat", "[1.]"},
             Case{"|: C | [1.] D :| [2.] E :|", "Repeat sign in the last ending", ":|"},
             Case{"|: C | [2.] D :| [1.] E", "Ending out of order", "[2.]"},
             Case{"C [TO CODA] | D", "To Coda without a coda", "[TO CODA]"},
             Case{"[SEGNO] C | [SEGNO] D", "Second segno", "[SEGNO]"},
             Case{"C | D [D.S.]", "D.S. without a segno", "[D.S.]"},
             Case{"C | D [D.C. al Fine]", "Jump to a fine without one", "[D.C. al Fine]"},
             Case{"|: C |: D :|", "Repeat inside a repeat", "|:"},
             Case{"|: C | D", "Repeat without an end", "|:"},
             Case{"C [x3] | D", "Repeat count without a repeat", "[x3]"},
             Case{"C | D |:", "No measure after this mark", "|:"},
             Case{"C :| x0", "Invalid repeat count", ":| x0"},
         }) {
        const Song song(bad.chart);
        EXPECT_EQ(song.result.outcome, CompileOutcome::LanguageError) << bad.chart;
        EXPECT_EQ(song.result.error.message, bad.message) << bad.chart;
        EXPECT_EQ(song.Selected(), bad.selected) << bad.chart;
    }
}

TEST(FormUnrolling, AJumpIsTakenOnceSoNoFormPlaysForEver) {
    EXPECT_EQ(Played("[CODA] C | D [TO CODA] | E [D.C. al Coda]"), "C D E C D C D E");
    EXPECT_EQ(Played("C [D.C.] | D [D.C.]"), "C C D C D");
}

TEST(FormUnrolling, DeepNestingAndHugeCountsFailQuicklyWithAnError) {
    std::string nested;
    for (int i = 0; i < 100000; ++i) {
        nested += "|: ";
    }
    const Song deep(nested + "C :|");
    EXPECT_EQ(deep.result.error.message, "Repeat inside a repeat");
    const Song endless("|: C | D :| x999999");
    EXPECT_EQ(endless.result.error.message, "The form plays more than 1000000 measures");
    EXPECT_EQ(endless.Selected(), ":| x999999");
    // A count past the limit on its own is as much too long as one that the measures around it make so.
    const Song counted("C :| x1000001");
    EXPECT_EQ(counted.result.error.message, "The form plays more than 1000000 measures");
    EXPECT_EQ(counted.Selected(), ":| x1000001");
}

TEST(FormUnrolling, ARepeatMeasureRightAfterAJumpGetsAHint) {
    const Song song("C [TO CODA] | D [D.C. al Coda] |\n[CODA]\n% | E");
    ASSERT_TRUE(song.result.Accepted());
    EXPECT_EQ(song.Played(), "C D C % E");
    ASSERT_EQ(song.result.hints.size(), 1U);
    EXPECT_EQ(song.result.hints[0].text, "%");
    EXPECT_EQ(song.result.hints[0].line, 3);
    EXPECT_EQ(song.result.hints[0].message,
              "After a jump, % plays the chords of measure 2, written before it, not those played before the "
              "jump; write out the chords to play those");
    const Song nothing("[SEGNO]\n% | C [D.S.]");
    ASSERT_EQ(nothing.result.hints.size(), 1U);
    EXPECT_EQ(
        nothing.result.hints[0].message,
        "After a jump, % repeats nothing: no measure is written before it; write out the chords to play");
}

}  // namespace
}  // namespace kaz
