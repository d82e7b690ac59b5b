#include <gtest/gtest.h>

#include <string>

#include "chart/chart_layout.h"
#include "language/compile_score.h"

namespace kaz {
namespace {

std::string ShownFor(std::string_view text, const Instrument& instrument,
                     NotationMode notation = kEnglishNotation) {
    CompileOptions options;
    options.settings.notation = notation;
    const auto compiled = Compile(std::string(text), options);
    EXPECT_TRUE(compiled->Accepted()) << text;
    const ChartLayout layout = LayOutChart(compiled->score, text, SpellingFor(compiled->score, instrument));
    std::string out;
    for (const ChartChord& chord : layout.chords) {
        if (!out.empty()) {
            out += ' ';
        }
        out += chord.symbol.Text();
    }
    return out;
}

constexpr Instrument kBFlat{Instrument::Kind::BFlat};
constexpr Instrument kEFlat{Instrument::Kind::EFlat};
constexpr Instrument kF{Instrument::Kind::F};

TEST(Instrument, TransposingInstrumentsReadTheirPartInTheirOwnKeysSpelling) {
    // A blues in F: B-flat players read G (one sharp), E-flat players D (two), F players C.
    const std::string_view blues = "F7 | Bb7 | F7 | Cm7 F7 | Bb7 | Bdim7 | F7 | D7/F# | Gm7 | C7 | F7";
    EXPECT_EQ(ShownFor(blues, {}), "F7 B\u266D7 F7 Cm7 F7 B\u266D7 B\u00B07 F7 D7/F\u266F Gm7 C7 F7");
    EXPECT_EQ(ShownFor(blues, kBFlat), "G7 C7 G7 Dm7 G7 C7 C\u266F\u00B07 G7 E7/G\u266F Am7 D7 G7");
    EXPECT_EQ(ShownFor(blues, kEFlat), "D7 G7 D7 Am7 D7 G7 G\u266F\u00B07 D7 B7/D\u266F Em7 A7 D7");
    EXPECT_EQ(ShownFor(blues, kF), "C7 F7 C7 Gm7 C7 F7 F\u266F\u00B07 C7 A7/C\u266F Dm7 G7 C7");
    // In a flat key every black key is flat; a minor chart is spelled from its relative major.
    EXPECT_EQ(ShownFor("C | F#m7-5 | G7 | C", {Instrument::Kind::Key, 3}),
              "E\u266D A\u00F87 B\u266D7 E\u266D");
    EXPECT_EQ(ShownFor("Dm | A7 | Dm", kEFlat), "Bm F\u266F7 Bm");
    EXPECT_EQ(ShownFor("Gm | D7/F# | Gm", kBFlat), "Am E7/G\u266F Am");
}

TEST(Instrument, APartIsSpelledInTheKeyOfTheSongNotOfItsLastChord) {
    // D major, ending on the dominant: an E-flat part is in B major, with its sharps.
    EXPECT_EQ(ShownFor("D | Bm | G/B | A7", kEFlat), "B G\u266Fm E/G\u266F F\u266F7");
    EXPECT_EQ(ShownFor("D | Hm | D/F# | A7", kEFlat, kGermanNotation), "H G\u266Fm H/D\u266F F\u266F7");
}

TEST(Instrument, GermanChartsKeepTheirBNames) {
    EXPECT_EQ(ShownFor("C | H7 | C", kF, kGermanNotation), "G F\u266F7 G");
    EXPECT_EQ(ShownFor("Eb | Ab | Eb", kF, kGermanNotation), "B E\u266D B");
}

TEST(Instrument, CodesAndTheChartsCommentLine) {
    for (const Instrument& instrument :
         {Instrument{}, kBFlat, kEFlat, kF, Instrument{Instrument::Kind::Key, 1}}) {
        EXPECT_EQ(InstrumentFromCode(InstrumentCode(instrument)), instrument);
    }
    EXPECT_EQ(InstrumentFromCode("Db"), std::nullopt);
    EXPECT_EQ(InstrumentOfChart("C | F\n#kaz:instrument=Eb\n"), kEFlat);
    EXPECT_EQ(InstrumentOfChart("C | F\n#kaz:instrument=tuba\n"), Instrument{});
    EXPECT_EQ(InstrumentOfChart("C | F\n# kaz:instrument=Eb\n"), Instrument{});
}

std::string Applied(std::string text, const Instrument& instrument) {
    if (const auto change = InstrumentLineChange(text, instrument)) {
        text.replace(change->start, change->end - change->start, change->replacement);
    }
    return text;
}

TEST(Instrument, TheCommentLineComesAndGoesWithoutTouchingTheChart) {
    for (const std::string chart :
         {"C | F\n", "C | F", "C | F\r\nG\r\n", "", "# one\n#kaz:instrument=F\nC\n"}) {
        const std::string eFlat = Applied(chart, kEFlat);
        EXPECT_EQ(InstrumentOfChart(eFlat), kEFlat) << chart;
        EXPECT_EQ(Applied(Applied(eFlat, kBFlat), kEFlat), eFlat) << chart;
        if (InstrumentOfChart(chart) == Instrument{}) {
            EXPECT_EQ(Applied(eFlat, {}), chart) << chart;
        }
    }
    EXPECT_EQ(Applied("C | F\r\n", kF), "C | F\r\n#kaz:instrument=F\r\n");
    EXPECT_EQ(InstrumentLineChange("C\n", {}), std::nullopt);
}

std::string Performance(std::string_view text) {
    const auto compiled = Compile(std::string(text));
    EXPECT_TRUE(compiled->Accepted());
    std::string out;
    for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
        const MidiEvent& e = compiled->performance[i];
        out += std::to_string(e.time) + ":" + std::to_string(static_cast<int>(e.kind)) + ":" +
               std::to_string(e.channel()) + ":" + std::to_string(e.key()) + ":" +
               std::to_string(e.velocity()) + ":" + std::to_string(e.start()) + ":" +
               std::to_string(e.end()) + " ";
    }
    return out;
}

TEST(Instrument, TheChartStillPlaysInConcertPitch) {
    const std::string chart = "[TEMPO=90]\nBb7 | Eb7 | F7 | Bb7\n";
    EXPECT_EQ(Performance(Applied(chart, kEFlat)), Performance(chart));
}

}  // namespace
}  // namespace kaz
