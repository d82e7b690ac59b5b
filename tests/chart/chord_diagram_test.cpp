#include "chart/chord_diagram.h"

#include <gtest/gtest.h>

#include <string>

#include "harmony/chord_reference.h"

namespace kaz {
namespace {

std::string FirstShape(const std::string& symbol, const FrettedInstrument& instrument) {
    const std::optional<DiagramTones> tones = TonesOfSymbol(symbol);
    EXPECT_TRUE(tones) << symbol;
    const std::vector<FrettedShape> shapes =
        tones ? ShapesFor(*tones, instrument) : std::vector<FrettedShape>();
    return shapes.empty() ? std::string() : shapes.front().Code();
}

TEST(ChordDiagram, EveryChordOfTheReferenceHasAPlayableShapeInEveryKey) {
    constexpr std::array<std::string_view, 12> kRoots{"C",  "Db", "D",  "Eb", "E",  "F",
                                                      "F#", "G",  "Ab", "A",  "Bb", "B"};
    int chords = 0;
    for (const ChordReferenceSection& section : ChordReference()) {
        for (const ChordReferenceRow& row : section.rows) {
            if (!TonesOfSymbol(row.spelling) || TonesOfSymbol(row.spelling)->empty()) {
                continue;  // a row that lists ways of writing, or no chord
            }
            for (const std::string_view root : kRoots) {
                const std::string symbol = std::string(root) + row.spelling.substr(1);
                const DiagramTones tones = *TonesOfSymbol(symbol);
                for (const FrettedInstrument* instrument : {&Guitar(), &Ukulele()}) {
                    const std::vector<FrettedShape> shapes = ShapesFor(tones, *instrument, 1);
                    ASSERT_FALSE(shapes.empty()) << symbol << " on the " << instrument->name;
                    const FrettedShape& shape = shapes.front();
                    EXPECT_TRUE(Playable(shape)) << symbol << " " << shape.Code();
                    EXPECT_LE(shape.HighestFret() - std::max(1, shape.LowestFret()), 3)
                        << symbol << " " << shape.Code();
                    EXPECT_TRUE(SoundsChord(shape, tones, *instrument)) << symbol << " " << shape.Code();
                }
                EXPECT_FALSE(PianoKeys(tones).empty()) << symbol;
                ++chords;
            }
        }
    }
    EXPECT_GE(chords, 12 * 90);
}

TEST(ChordDiagram, TheEverydayChordsTakeTheShapesPlayersLearnFirst) {
    EXPECT_EQ(FirstShape("C", Guitar()), "x32010");
    EXPECT_EQ(FirstShape("G", Guitar()), "320003");
    EXPECT_EQ(FirstShape("Em", Guitar()), "022000");
    EXPECT_EQ(FirstShape("D/F#", Guitar()), "2x0232");
    EXPECT_EQ(FirstShape("C", Ukulele()), "0003");
    EXPECT_EQ(FirstShape("Am", Ukulele()), "2000");
    // Found by rule: the barre chords up the neck.
    EXPECT_EQ(FirstShape("Bm", Guitar()), "x24432");
    EXPECT_EQ(FirstShape("F#m", Guitar()), "244222");
    EXPECT_EQ(FirstShape("Bb", Guitar()), "x13331");
}

TEST(ChordDiagram, BarresAreWhereFourFingersWouldNotDo) {
    const std::optional<FrettedShape> f = ShapeFromCode("133211", Guitar());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->barreFret, 1);
    EXPECT_EQ(f->barreFrom, 0);
    EXPECT_EQ(f->barreTo, 5);
    EXPECT_EQ(f->Fingers(), 4);
    EXPECT_EQ(ShapeFromCode("x32010", Guitar())->barreFret, 0);
    // Open strings under a barre cannot ring: five fingers are five fingers.
    EXPECT_FALSE(Playable(*ShapeFromCode("130211", Guitar())));
    // A stretch over five frets is no shape.
    EXPECT_FALSE(Playable(*ShapeFromCode("x-3-7-x-x-x", Guitar())));
    EXPECT_EQ(ShapeFromCode("x-10-12-12-12-10", Guitar())->Code(), "x-10-12-12-12-10");
    EXPECT_EQ(ShapeFromCode("x3201", Guitar()), std::nullopt);
    EXPECT_EQ(ShapeFromCode("x32y10", Guitar()), std::nullopt);
}

TEST(ChordDiagram, TheChartsOwnChoiceOfShapeIsKeptAndWins) {
    const std::string chart = "C | F\n";
    const auto change = ShapeChoiceChange(chart, Guitar(), "F", ShapeFromCode("xx3211", Guitar()));
    ASSERT_TRUE(change);
    std::string text = chart;
    text.replace(change->start, change->end - change->start, change->replacement);
    EXPECT_EQ(text, "C | F\n#kaz:guitar=F xx3211\n");
    const ChordDiagramBook book(DiagramKind::Guitar, ShapeChoicesOfChart(text, Guitar()));
    EXPECT_EQ(book.ShapeOf(*TonesOfSymbol("F"), "F")->Code(), "xx3211");
    EXPECT_EQ(book.ShapeOf(*TonesOfSymbol("C"), "C")->Code(), "x32010");
    // A choice that does not sound the chord (the chart was transposed since) gives way.
    EXPECT_EQ(book.ShapeOf(*TonesOfSymbol("F#"), "F")->Code(), "244322");
    const auto forgotten = ShapeChoiceChange(text, Guitar(), "F", std::nullopt);
    ASSERT_TRUE(forgotten);
    text.replace(forgotten->start, forgotten->end - forgotten->start, forgotten->replacement);
    EXPECT_EQ(text, chart);
}

TEST(ChordDiagram, TheKnownShapesSoundTheirChords) {
    for (const std::string symbol :
         {"C",     "A",     "G",     "E",     "D",     "F",   "Am",   "Em",    "Dm",    "C7",    "A7",
          "G7",    "E7",    "D7",    "B7",    "Am7",   "Em7", "Dm7",  "Cmaj7", "Amaj7", "Dmaj7", "Fmaj7",
          "Asus4", "Dsus4", "Esus4", "Asus2", "Dsus2", "G/B", "D/F#", "C/E",   "C/G"}) {
        for (const FrettedInstrument* instrument : {&Guitar(), &Ukulele()}) {
            const std::string code = FirstShape(symbol, *instrument);
            const std::optional<FrettedShape> shape = ShapeFromCode(code, *instrument);
            ASSERT_TRUE(shape) << symbol;
            EXPECT_TRUE(SoundsChord(*shape, *TonesOfSymbol(symbol), *instrument)) << symbol << " " << code;
        }
    }
}

TEST(ChordDiagram, APianistPlaysTheBassBelowAndTheExtensionsOnTop) {
    EXPECT_EQ(PianoKeys(*TonesOfSymbol("Cmaj7")), (std::vector<int>{0, 4, 7, 11}));
    EXPECT_EQ(PianoKeys(*TonesOfSymbol("C/E")), (std::vector<int>{4, 12, 16, 19}));
    // The third the four-note block voice of a ninth chord leaves out is drawn: D9 and Dm9 differ.
    EXPECT_EQ(PianoKeys(*TonesOfSymbol("D9")), (std::vector<int>{2, 6, 9, 12, 16}));
    EXPECT_EQ(PianoKeys(*TonesOfSymbol("Dm9")), (std::vector<int>{2, 5, 9, 12, 16}));
    EXPECT_TRUE(PianoKeys(DiagramTones{}).empty());
}

}  // namespace
}  // namespace kaz
