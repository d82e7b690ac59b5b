#include <gtest/gtest.h>

#include <string>

#include "chart/capo.h"
#include "chart/chart_layout.h"
#include "language/compile_score.h"

namespace kaz {
namespace {

//! The chords of text as part shows them, one space apart.
std::string ShownFor(std::string_view text, const ChartPart& part) {
    const auto compiled = Compile(std::string(text));
    EXPECT_TRUE(compiled->Accepted()) << text;
    const ChartLayout layout = LayOutChart(compiled->score, text, SpellingFor(compiled->score, part));
    std::string out;
    for (const ChartChord& chord : layout.chords) {
        out += (out.empty() ? "" : " ") + chord.symbol.Text();
    }
    return out;
}

ChartPart Capo(int fret) {
    ChartPart part;
    part.capo = fret;
    return part;
}

TEST(Capo, TheShapesAreNamedInTheKeyTheHandPlays) {
    // A major with the capo on 2 is fingered in G, with G's sharp.
    EXPECT_EQ(ShownFor("A | E/G# | F#m | D | E7 | A", Capo(2)), "G D/F\u266F Em C D7 G");
    // B flat with the capo on 3 is played in G; E with it on 4 in C; E flat with it on 1 in D.
    EXPECT_EQ(ShownFor("Bb | Eb | F7 | Gm | Bb", Capo(3)), "G C D7 Em G");
    EXPECT_EQ(ShownFor("E | A | B7 | C#m | E", Capo(4)), "C F G7 Am C");
    EXPECT_EQ(ShownFor("Eb | Ab | Bb7 | Cm | Eb", Capo(1)), "D G A7 Bm D");
    // A minor song keeps its mode: C minor, capo 3, is fingered in A minor.
    EXPECT_EQ(ShownFor("Cm | Fm | G7 | Cm", Capo(3)), "Am Dm E7 Am");
    // A key mark is the key the shapes are counted from: F sharp minor, capo 2, is E minor's sharps.
    EXPECT_EQ(ShownFor("[KEY=F#m]\nF#m | C#7 | Bm | D", Capo(2)), "Em B7 Am C");
}

std::string Applied(std::string text, int capo) {
    if (const auto change = CapoLineChange(text, capo)) {
        text.replace(change->start, change->end - change->start, change->replacement);
    }
    return text;
}

TEST(Capo, TheChartKeepsItsCapoInALineOfItsOwn) {
    const std::string chart = "# Song\r\nA | D\r\n";
    const std::string capo = Applied(chart, 2);
    EXPECT_EQ(capo, "# Song\r\nA | D\r\n#kaz:capo=2\r\n");
    EXPECT_EQ(CapoOfChart(capo), 2);
    EXPECT_EQ(CapoOfChart(Applied(capo, 5)), 5);
    EXPECT_EQ(Applied(capo, 0), chart);
    for (const std::string_view unread : {"#kaz:capo=", "#kaz:capo=twelve", "#kaz:capo=12", "#kaz:capo=-1"}) {
        EXPECT_EQ(CapoOfChart("A\n" + std::string(unread) + "\n"), 0) << unread;
    }
}

ChartPart Numbers(ChordNumbers numbers) {
    ChartPart part;
    part.numbers = numbers;
    return part;
}

TEST(ChordNumbers, RomanAndNashvilleNumbersFollowTheKey) {
    const std::string_view turnaround =
        "Dm7 | G7 | Cmaj7 | A7 | Dm7 G7 | C/E | F#m7b5 | Bdim | Bb7 | Ab | G7 | C";
    EXPECT_EQ(ShownFor(turnaround, Numbers(ChordNumbers::Roman)),
              "ii7 V7 I\u03947 VI7 ii7 V7 I/3 \u266Fiv7\u266D5 vii\u00B0 \u266DVII7 \u266DVI V7 I");
    EXPECT_EQ(ShownFor(turnaround, Numbers(ChordNumbers::Nashville)),
              "2m7 57 1\u03947 67 2m7 57 1/3 \u266F4m7\u266D5 7\u00B0 \u266D77 \u266D6 57 1");
    // The numbers of a song are the same in every key, for every instrument and capo.
    ChartPart eFlat = Numbers(ChordNumbers::Nashville);
    eFlat.instrument = {Instrument::Kind::EFlat};
    eFlat.capo = 3;
    EXPECT_EQ(ShownFor("Ebm7 | Ab7 | Dbmaj7", eFlat), "2m7 57 1\u03947");
    // A minor song counts from its own tonic: ♭III, ♭VI, ♭VII.
    EXPECT_EQ(ShownFor("Am | F | G | C | E7 | Am", Numbers(ChordNumbers::Roman)),
              "i \u266DVI \u266DVII \u266DIII V7 i");
    // Each key mark counts from its own key on.
    EXPECT_EQ(ShownFor("[KEY=C]\nG7 | C\n[KEY=Eb]\nBb7 | Eb", Numbers(ChordNumbers::Nashville)), "57 1 57 1");
}

TEST(ChordNumbers, CodesReadBack) {
    for (const ChordNumbers numbers : {ChordNumbers::Letters, ChordNumbers::Roman, ChordNumbers::Nashville}) {
        EXPECT_EQ(ChordNumbersFromCode(ChordNumbersCode(numbers)), numbers);
    }
    EXPECT_EQ(ChordNumbersFromCode("arabic"), std::nullopt);
}

}  // namespace
}  // namespace kaz
