#include "render/song_map.h"

#include <gtest/gtest.h>

#include <string>

#include "language/compile_score.h"

namespace kaz {
namespace {

//! A chart compiled for its score.
class ScoredChart {
  public:
    explicit ScoredChart(std::string text) : text(std::move(text)), compiled(Compile(this->text)) {
        EXPECT_TRUE(compiled->Accepted()) << this->text;
    }
    //! The offset of the nth occurrence (from 0) of part in the text.
    [[nodiscard]] int At(std::string_view part, int nth = 0) const {
        std::size_t found = text.find(part);
        for (; nth > 0; --nth) {
            found = text.find(part, found + 1);
        }
        return static_cast<int>(found);
    }

    std::string text;
    std::shared_ptr<const CompiledChart> compiled;
};

TEST(SongMap, ASelectionTouchesTheMeasuresOfItsSymbolsAndACaretTheMeasureBetweenItsBarLines) {
    const ScoredChart chart("# Blues\nF7 | Bb7 | F7 | Cm7 F7 |\nBb7  | % |\n");
    const SongMap song(chart.compiled->score);
    const auto touching = [&](int start, int end) { return song.MeasuresTouching(chart.text, {start, end}); };
    const int cm7 = chart.At("Cm7");
    const int bb7 = chart.At("Bb7");
    const int line2 = chart.At("Bb7", 1);
    EXPECT_EQ(touching(cm7 + 1, cm7 + 1), (MeasureSpan{4, 4}));            // inside a chord
    EXPECT_EQ(touching(cm7 + 3, cm7 + 3), (MeasureSpan{4, 4}));            // between two chords of it
    EXPECT_EQ(touching(bb7 + 4, bb7 + 4), (MeasureSpan{2, 2}));            // before its closing bar
    EXPECT_EQ(touching(bb7 + 6, bb7 + 6), (MeasureSpan{3, 3}));            // past it
    EXPECT_EQ(touching(bb7, chart.At("F7", 1) + 1), (MeasureSpan{2, 3}));  // "Bb7 | F"
    EXPECT_EQ(touching(bb7 + 3, chart.At("F7", 1)), (MeasureSpan{2, 2}));  // " | " after Bb7: no symbol
    EXPECT_EQ(touching(line2, static_cast<int>(chart.text.size())), (MeasureSpan{5, 6}));
    EXPECT_EQ(touching(chart.At("%"), chart.At("%")), (MeasureSpan{6, 6}));
    EXPECT_EQ(touching(0, 0), (MeasureSpan{1, 1}));  // in the comment before the first measure
    EXPECT_EQ(touching(line2 - 1, line2 - 1), (MeasureSpan{4, 4}));  // the end of the first line
    EXPECT_EQ(touching(9999, 9999), (MeasureSpan{6, 6}));
}

TEST(SongMap, APlaceNamesTheMeasureTheBeatTheSoundingAndTheNextChord) {
    const ScoredChart chart("[3/4] C G | % | D/F# = |\n");
    const SongMap song(chart.compiled->score);
    const auto names = [](const SongPlace& place) {
        return (place.chord ? ChordName(*place.chord) : "none") + " > " +
               (place.next ? ChordName(*place.next) : "none");
    };
    // 3/4: 1440 ticks a measure, 480 a beat; "G" from 720.
    const SongPlace first = song.PlaceAt(800, std::nullopt);
    EXPECT_EQ(first.measure, 1);
    EXPECT_EQ(first.beat, 2);
    EXPECT_EQ(first.beats, 3);
    EXPECT_EQ(names(first), "G > C");  // the repeat plays measure 1 again
    EXPECT_EQ(names(song.PlaceAt(1440 + 800, std::nullopt)), "G > D/F#");
    EXPECT_EQ(names(song.PlaceAt(2880 + 1000, std::nullopt)), "D/F# > none");  // "=" holds D/F#
    EXPECT_EQ(names(song.PlaceAt(2880 + 1000, MeasureSpan{2, 3})), "D/F# > C");

    const SongPlace countIn = song.PlaceAt(1000, MeasureSpan{2, 3});
    EXPECT_TRUE(countIn.countIn);
    EXPECT_EQ(countIn.beat, 3);
    EXPECT_EQ(names(countIn), "none > C");
    EXPECT_EQ(song.PlaceAt(-1440, std::nullopt).beat, 1);
}

}  // namespace
}  // namespace kaz
