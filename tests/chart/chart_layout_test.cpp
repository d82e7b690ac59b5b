#include <gtest/gtest.h>

#include <string>

#include "chart/chart_layout.h"
#include "language/compile_score.h"

namespace kaz {
namespace {

//! A compiled chart, its layout under spelling, and the text it came from.
struct LaidOut {
    std::shared_ptr<const CompiledChart> compiled;
    ChartLayout layout;

    explicit LaidOut(std::string_view text, const Instrument& instrument = {})
        : compiled(Compile(std::string(text))) {
        EXPECT_TRUE(compiled->Accepted()) << text;
        layout = LayOutChart(compiled->score, text, SpellingFor(compiled->score, instrument));
    }

    [[nodiscard]] std::string RowSizes() const {
        std::string sizes;
        for (const ChartRow& row : layout.rows) {
            sizes += std::to_string(row.count) + " ";
        }
        return sizes;
    }
    //! The chords of every measure, " | " between measures: "%" for the repeat sign, "/" for a chord
    //! going on, "-" for a rest.
    [[nodiscard]] std::string Chords() const {
        std::string out;
        for (const ChartMeasure& measure : layout.measures) {
            out += out.empty() ? "" : " | ";
            if (measure.repeatsPrevious) {
                out += "%";
            }
            for (std::uint32_t i = 0; i < measure.chordCount; ++i) {
                const ChartChord& chord = layout.chords[measure.firstChord + i];
                out += i == 0 ? "" : " ";
                out += chord.kind == ChartChord::Kind::Again  ? "/"
                       : chord.kind == ChartChord::Kind::Rest ? "-"
                                                              : chord.symbol.Text();
            }
        }
        return out;
    }
    //! The signs of every measure, ";" between measures: "|:" and ":|" for repeat bar lines, "||" a double
    //! and "|." the final bar, "[A]" a section, "(1." an ending's bracket opening, "-" running on, ")"
    //! turning down, "S" segno, "O" coda, "x3" a repeat count, a direction in quotes.
    [[nodiscard]] std::string Signs() const {
        std::string out;
        for (const ChartMeasure& m : layout.measures) {
            std::string signs;
            const auto add = [&signs](const std::string& sign) {
                signs += sign.empty() || signs.empty() ? sign : " " + sign;
            };
            if (m.start == BarLine::RepeatStart) {
                add("|:");
            }
            if (!m.section.empty()) {
                add("[" + m.section + "]");
            }
            if (m.inEnding) {
                add((m.ending.empty() ? "-" : "(" + m.ending) + (m.endingCloses ? ")" : ""));
            }
            if (m.segno) {
                add("S");
            }
            if (m.coda) {
                add("O");
            }
            if (m.times != 0) {
                add("x" + std::to_string(m.times));
            }
            if (!m.direction.empty()) {
                add("'" + m.direction + "'");
            }
            add(m.end == BarLine::RepeatEnd ? ":|"
                : m.end == BarLine::Double  ? "||"
                : m.end == BarLine::Final   ? "|."
                                            : "");
            out += (&m == layout.measures.data() ? "" : ";") + signs;
        }
        return out;
    }
};

TEST(ChartLayout, RepeatBarLinesAndTheirCounts) {
    EXPECT_EQ(LaidOut("|: C | F :| G |: A :|: B :| x3").Signs(), "|:;:|;;|: :|;|: x3 :|");
    EXPECT_EQ(LaidOut("||: C | D E7 [x3] :|| F").Signs(), "|:;x3 :|;|.");
    // A passage repeated from the start has its closing sign only.
    EXPECT_EQ(LaidOut("C | D :| E").Signs(), ";:|;|.");
}

TEST(ChartLayout, AnEndingsBracketRunsToItsRepeatSignOrOnToTheNextSectionOrTheEndOfItsRow) {
    EXPECT_EQ(LaidOut("|: C | [1.] F | D :|\n[2.] G | A\nB").Signs(), "|:;(1.;-) :|;(2.;-;|.");
    EXPECT_EQ(LaidOut("|: C | [1.2.] D :| [3.] E | F | [B] G").Signs(), "|:;(1.2.) :|;(3.;- ||;[B] |.");
}

TEST(ChartLayout, SignsAndJumpsStandOnTheirMeasures) {
    EXPECT_EQ(LaidOut("C | [SEGNO] Dm | Em [TO CODA] | F [D.S. al Coda] | [CODA] G |").Signs(),
              ";S;'To Coda';'D.S. al Coda';O |.");
    EXPECT_EQ(LaidOut("C [FINE] | D [D.C.  al  Fine]").Signs(), "'Fine';'D.C. al Fine' |.");
    EXPECT_EQ(LaidOut("[SEGNO] C | D [D.S.] | E [D.C.]").Signs(), "S;'D.S.';'D.C.' |.");
}

TEST(ChartLayout, ASectionMarksItsMeasureAndADoubleBarOnlyWhereNoRepeatSignStands) {
    EXPECT_EQ(LaidOut("|: [A] C | D :| [B] E | [Verse] F |: [C] G :|").Signs(),
              "|: [A];:|;[B] ||;[Verse];|: [C] :|");
}

TEST(ChartLayout, RowsFollowTheChartsLinesAndBreakLongLinesIntoFours) {
    EXPECT_EQ(LaidOut("C | F | G\nC | F\n").RowSizes(), "3 2 ");
    EXPECT_EQ(LaidOut("C | D | E | F | G | A | B | C | D | E\n").RowSizes(), "4 4 2 ");
    EXPECT_EQ(LaidOut("[3/4]\n\nC | D |\n").RowSizes(), "2 ");
}

TEST(ChartLayout, MeterShowsWhereItIsSetOrChangesAndTheLastMeasureEndsTheChart) {
    const LaidOut chart("C | D | [3/4] E | F | [3/4] G\n");
    const auto& m = chart.layout.measures;
    ASSERT_EQ(m.size(), 5u);
    EXPECT_EQ(m[0].meter, "4/4");
    EXPECT_EQ(m[1].meter, "");
    EXPECT_EQ(m[2].meter, "3/4");
    EXPECT_EQ(m[4].meter, "");
    EXPECT_EQ(m[3].end, BarLine::Single);
    EXPECT_EQ(m[4].end, BarLine::Final);
}

TEST(ChartLayout, HeadingComesFromTheFirstCommentAndTheTempoMark) {
    const LaidOut chart("# Blues in F - a jazz blues\n[TEMPO=132]\nF7 | Bb7\n");
    EXPECT_EQ(chart.layout.title, "Blues in F");
    EXPECT_EQ(chart.layout.subtitle, "a jazz blues");
    EXPECT_EQ(chart.layout.tempo, 132);
    EXPECT_EQ(LaidOut("C\n").layout.tempo, 0);
}

TEST(ChartLayout, SignsRepeatMeasuresAndTheirTextPositions) {
    const std::string text = "C / = - | % | | G7";
    const LaidOut chart(text);
    EXPECT_EQ(chart.Chords(), "C / / - | % |  | G7");
    const ChartMeasure& repeat = chart.layout.measures[1];
    EXPECT_EQ(text.substr(repeat.text.start, repeat.text.end - repeat.text.start), "%");
    const ChartChord& last = chart.layout.chords.back();
    EXPECT_EQ(text.substr(last.text.start, last.text.end - last.text.start), "G7");
}

TEST(ChartLayout, ASectionLetterOpensItsMeasureAfterADoubleBar) {
    // A section mark put on the score by hand, where the chart has none.
    const auto compiled = std::const_pointer_cast<CompiledChart>(Compile("C | F | G | C"));
    ASSERT_TRUE(compiled->Accepted());
    compiled->score.sections.push_back({"B", 2, 0, 0});
    const ChartLayout layout = LayOutChart(compiled->score, "");
    EXPECT_EQ(layout.measures[2].section, "B");
    EXPECT_EQ(layout.measures[1].end, BarLine::Double);
    EXPECT_EQ(layout.measures[0].end, BarLine::Single);
}

TEST(ChordDisplay, LeadSheetFormsOfTheChartsSuffixes) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"F#m7-5", "F\u266F\u00F87"}, {"Bbmaj7/D", "B\u266D\u03947/D"},
        {"Cmmaj7", "Cm\u03947"},      {"Cdim7", "C\u00B07"},
        {"Co", "C\u00B07"},           {"C-", "Cm7"},
        {"G7+9", "G7\u266F9"},        {"C6add9", "C6/9"},
        {"C-9", "C(\u266D9)"},        {"C+", "C+"},
        {"C7sus4", "C7sus4"},         {"Ebm6", "E\u266Dm6"},
    };
    for (const auto& [written, shown] : cases) {
        EXPECT_EQ(LaidOut(written).Chords(), shown) << written;
    }
    EXPECT_EQ(LaidOut("[CHORD open = 0 7 16]\nCopen").Chords(), "Copen");
}

}  // namespace
}  // namespace kaz
