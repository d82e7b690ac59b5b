#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_range.h"
#include "chart/chord_diagram.h"
#include "chart/chord_display.h"
#include "chart/chord_numbers.h"
#include "chart/instrument.h"
#include "harmony/score_tree.h"

namespace kaz {

//! How the chart's chords are written out: as the chart spells them, or moved by shift semitones and named
//! by the key they are in, or as numbers of that key.
struct ChartSpelling {
    //! The names of the pitch classes (0 = C) in one key of the part, for the chords from a text offset on.
    struct KeyNames {
        std::int32_t from = 0;
        std::array<std::string, 12> names;
        MusicalKey concert;  //!< the key as it sounds, which the numbers count from
    };
    int shift = 0;
    std::vector<KeyNames> keys;  //!< in text order; none: the names as written
    ChordNumbers numbers = ChordNumbers::Letters;
    bool moved = false;  //!< the letters are spelled by keys; otherwise as written

    //! The key a chord at offset of the text is in; nullptr without keys.
    [[nodiscard]] const KeyNames* KeyAt(std::int32_t offset) const;
    //! The names of the key a chord at offset of the text is in; nullptr for the names as written.
    [[nodiscard]] const std::array<std::string, 12>* NamesAt(std::int32_t offset) const;
};

//! How one player reads the chart: for an instrument, with a capo on fret capo (the chords named as the
//! shapes are fingered), and the chords by their letters or as numbers of the key.
struct ChartPart {
    Instrument instrument;
    int capo = 0;
    ChordNumbers numbers = ChordNumbers::Letters;
    friend bool operator==(const ChartPart&, const ChartPart&) = default;
};

//! One symbol of a measure as the grid shows it.
struct ChartChord {
    enum class Kind : std::uint8_t { Chord, Again, Rest };
    Kind kind = Kind::Chord;  //!< Again for "/" and "=": the chord before goes on
    ChordDisplay symbol;      //!< for a Chord
    TextRange text;           //!< where the symbol stands in the compiled text
    std::string name;         //!< for a Chord, as spelled for the part in plain letters: "D/F#", "Bbmaj7"
    DiagramTones tones;       //!< for a Chord, the tones its diagram sounds, moved as the part is
    std::string words;        //!< sung from this chord on, when it stands in a lyric line
    std::string pickup;       //!< the words sung before the line's first chord, which begin its words too
    bool wordGoesOn =
        false;  //!< words end inside a word that the next chord's words finish ("a" of "a[D]way")
};

//! The line at a measure's side.
enum class BarLine : std::uint8_t { Single, Double, Final, RepeatStart, RepeatEnd };

//! One written measure of the grid, with the marks that stand on it.
struct ChartMeasure {
    std::uint32_t firstChord = 0;  //!< in ChartLayout::chords
    std::uint32_t chordCount = 0;
    bool repeatsPrevious = false;  //!< the measure-repeat sign in place of chords
    BarLine start = BarLine::Single;
    BarLine end = BarLine::Single;
    std::string meter;          //!< "3/4" where the meter is set or changes; empty otherwise
    std::string section;        //!< the section letter or name that opens here
    std::string ending;         //!< "1.", "1.2.": the ending whose bracket opens over the measure
    bool inEnding = false;      //!< an ending's bracket runs over the measure (from where it opens on)
    bool endingCloses = false;  //!< the bracket turns down at its end: the ending goes back to the repeat
    int times = 0;              //!< a repeat that ends here and says how often it plays; 0 when it does not
    bool segno = false;         //!< the segno sign stands over the measure
    bool coda = false;          //!< the coda sign stands over the measure
    std::string direction;      //!< a jump or mark at its end: "D.S. al Coda", "Fine", "To Coda" ...
    TextRange text;             //!< its symbols' or its repeat sign's text, for a click in an empty spot
};

//! Measures first .. first + count - 1 in one row of the grid.
struct ChartRow {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    bool wordsUnderChords = false;    //!< a chord of the row stands in a lyric line and has words
    std::vector<std::string> lyrics;  //!< the lyric lines written under the row, in text order

    //! The lines of words under the row: its chords' words first, then its lyric lines.
    [[nodiscard]] std::size_t LyricLineCount() const { return (wordsUnderChords ? 1 : 0) + lyrics.size(); }
};

//! The chart laid out as a lead-sheet grid: its heading and its measures in rows, each written measure
//! once, in text order (ChartLayout::measures[i] is measure slot i of the score).
struct ChartLayout {
    std::string title;         //!< from the chart's first comment line, up to a " - "
    std::string subtitle;      //!< the rest of that line
    int tempo = 0;             //!< the tempo mark as written; 0 without one
    bool tempoDotted = false;  //!< the mark counts dotted quarter notes
    std::vector<ChartChord> chords;
    std::vector<ChartMeasure> measures;
    std::vector<ChartRow> rows;
};

//! The most measures a line of the chart may hold to be a row of its own; a longer line is broken into rows
//! of kMeasuresPerRow.
inline constexpr std::uint32_t kMostMeasuresPerLine = 8;
inline constexpr std::uint32_t kMeasuresPerRow = 4;

//! How a compiled score is written out for instrument: moved into the instrument's key and spelled with
//! that key's sharps or flats (each key mark's from the mark on, or the key heard from the chords); as
//! written for Concert.
[[nodiscard]] ChartSpelling SpellingFor(const ScoreTree& score, const Instrument& instrument);
//! How a compiled score is written out for part: moved for its instrument and down by its capo, spelled in
//! the keys it lands in, or numbered from the keys as they sound; as written for a concert part in letters.
[[nodiscard]] ChartSpelling SpellingFor(const ScoreTree& score, const ChartPart& part);

//! One chord of a compiled score as the grid shows it under spelling.
[[nodiscard]] ChartChord ShowChord(const Chord& chord, const ChartSpelling& spelling);

//! The line of words sung over written measure slot (0-based) the pass-th time it plays (1 the first): the
//! words of its row's chords, then the lyric lines under the row, one a pass, the last one from then on;
//! empty for a row without words.
[[nodiscard]] std::string SungLine(const ChartLayout& layout, std::uint32_t slot, int pass);

//! Lay out a compiled score: text is the text it was compiled from.
//! The title a chart gives itself in its first line ("# Blues in F - a 12-bar blues" is "Blues in F"); empty
//! when it gives none.
[[nodiscard]] std::string ChartTitle(std::string_view text);

[[nodiscard]] ChartLayout LayOutChart(const ScoreTree& score, std::string_view text,
                                      const ChartSpelling& spelling = {});

}  // namespace kaz
