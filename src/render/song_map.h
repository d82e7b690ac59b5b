#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_range.h"
#include "base/ticks.h"
#include "harmony/score_tree.h"

namespace kaz {

//! Measures first..last, one-based numbers in playing order.
struct MeasureSpan {
    int first = 0;
    int last = 0;
    friend bool operator==(const MeasureSpan&, const MeasureSpan&) = default;
};

//! Where the performance stands at a song position, as a player reads it.
struct SongPlace {
    bool countIn = false;  //!< before the measures played: the count-in
    //! Before the song's first measure, the band's intro playing the song's last measures: the place is that
    //! of the measure it plays.
    bool intro = false;
    int measure = 0;               //!< one-based; 0 during the count-in
    int beat = 0;                  //!< one-based beat of the measure (or of the count-in)
    int beats = 0;                 //!< beats in that measure: its meter's numerator
    const Chord* chord = nullptr;  //!< the chord symbol that sounds; nullptr in a measure without chords
    const Chord* next = nullptr;   //!< the chord symbol struck after it; nullptr when none follows
    int writtenMeasure = 0;    //!< the measure as written, one-based; measure itself in a song without form
    int pass = 0;              //!< 1 the first time that written measure is played, 2 the second, ...
    std::string_view section;  //!< the name of the section it lies in; empty before the first
};

//! The time line of a compiled chart: where each measure starts, what it plays, and which measures a stretch
//! of the chart's text belongs to. It points into the score, so it lives no longer than the compile.
class SongMap {
  public:
    explicit SongMap(const ScoreTree& score);

    [[nodiscard]] int MeasureCount() const { return static_cast<int>(starts_.size()); }
    //! The one-based number of the measure at position; 0 before the first.
    [[nodiscard]] int MeasureAt(double position) const;
    //! The chord symbol struck last in that measure by position; nullptr in a measure without chords.
    [[nodiscard]] const Chord* ChordAt(int measureNumber, double position) const;
    [[nodiscard]] Ticks MeasureStart(int measureNumber) const;
    [[nodiscard]] Ticks MeasureEnd(int measureNumber) const;
    //! The measure numbered so, as written (a repeat's source); measureNumber must be 1..MeasureCount().
    [[nodiscard]] const Measure& Played(int measureNumber) const;

    //! The place at position. Playing loops round span (when given): its last measure is followed by its
    //! first, and a position before its first measure is the count-in. Without a span, a position before the
    //! first measure and not before the song's start is in the band's intro.
    [[nodiscard]] SongPlace PlaceAt(double position, std::optional<MeasureSpan> span) const;

    //! The measures that range of text touches: every measure with a symbol in it, those between them too. A
    //! caret, or a range that holds no symbol, touches the measure it stands in, between that measure's bar
    //! lines; one on a section mark touches the whole section, as played the first time through. text is the
    //! compiled text; nullopt when the chart has no symbol at all.
    [[nodiscard]] std::optional<MeasureSpan> MeasuresTouching(std::string_view text, TextRange range) const;

  private:
    //! The text of the symbols of a measure: its chords, or a repeat's mark.
    struct Anchor {
        int measure = 0;
        TextRange text;
    };
    [[nodiscard]] SongPlace IntroPlaceAt(double position) const;
    //! The place at position, within the measures played.
    [[nodiscard]] SongPlace MeasurePlaceAt(double position, std::optional<MeasureSpan> span) const;
    [[nodiscard]] int MeasureAroundCaret(std::string_view text, int caret) const;
    //! The section whose mark holds the caret, as played the first time through.
    [[nodiscard]] std::optional<MeasureSpan> SectionAt(int caret) const;
    //! The played number of the first time slot is played; 0 when it never is.
    [[nodiscard]] int FirstPlayed(std::uint32_t slot) const;
    //! The index of the chord sounding at position in the measure; 0, and no chord, when it has none.
    [[nodiscard]] std::size_t ChordIndexAt(int measureNumber, double position) const;
    [[nodiscard]] const Chord* NextChord(int measureNumber, std::size_t chordIndex,
                                         std::optional<MeasureSpan> span) const;
    //! The first chord of measures measureNumber..lastMeasure; nullptr when they have none.
    [[nodiscard]] const Chord* FirstChordFrom(int measureNumber, int lastMeasure) const;

    std::vector<Ticks> starts_;
    std::vector<const Measure*> played_;
    std::vector<Anchor> anchors_;       //!< in text order
    std::vector<int> firstWithChords_;  //!< by measure number: the first measure from it that has chords
    const PlayOrder* order_;
    const std::vector<OpeningMark>* sections_;
    ScoreTree::Intro intro_;
};

//! The chord's name as a player reads it: the symbol as written, or for "/" and "=" the chord they play
//! again, "N.C." for no chord; empty for a rest.
[[nodiscard]] std::string ChordName(const Chord& chord);

}  // namespace kaz
