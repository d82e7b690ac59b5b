#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/comment_line.h"
#include "harmony/score_tree.h"

namespace kaz {

//! The tones of a chord as a diagram needs them: pitch classes, not keys.
struct DiagramTones {
    std::int8_t root = -1;        //!< pitch class 0..11 (0 = C); -1 for no chord
    std::int8_t bass = -1;        //!< the pitch class that sounds lowest: the root, or the slash bass
    std::uint16_t intervals = 0;  //!< bit i set: a tone i semitones above the root, the root itself included

    [[nodiscard]] bool empty() const { return root < 0; }
    [[nodiscard]] bool Has(int interval) const { return ((intervals >> interval) & 1U) != 0; }
    friend bool operator==(const DiagramTones&, const DiagramTones&) = default;
};

//! The tones chord sounds, moved by shift semitones; empty for a rest, a hold or no chord.
[[nodiscard]] DiagramTones TonesOf(const Chord& chord, int shift);
//! The tones of a chord symbol in English notation ("F#m7", "C/E"), as a chart would read it; nothing for a
//! symbol that is no chord Kaz reads.
[[nodiscard]] std::optional<DiagramTones> TonesOfSymbol(std::string_view symbol);

//! Which diagrams stand beside the chords.
enum class DiagramKind : std::uint8_t { None, Guitar, Ukulele, Piano };
//! "none", "guitar", "ukulele", "piano", as the command line and the settings give them.
[[nodiscard]] std::string_view DiagramKindCode(DiagramKind kind);
[[nodiscard]] std::optional<DiagramKind> DiagramKindFromCode(std::string_view code);

//! A fretted instrument in its usual tuning.
struct FrettedInstrument {
    std::string_view name;         //!< "guitar", as the chart's shape line names it
    std::span<const int> strings;  //!< the open strings as MIDI keys, from the string nearest the thumb
    int highestFret = 12;          //!< the highest fret a shape reaches
    bool bassOnFirstString =
        true;               //!< the string nearest the thumb sounds lowest (not on a re-entrant ukulele)
    int fewestStrings = 4;  //!< a shape sounds at least this many strings
};
[[nodiscard]] const FrettedInstrument& Guitar();   //!< E A D G B E
[[nodiscard]] const FrettedInstrument& Ukulele();  //!< G C E A, the G above middle C
[[nodiscard]] const FrettedInstrument* FrettedInstrumentOf(DiagramKind kind);

//! Where the fingers go on a fretted instrument.
struct FrettedShape {
    static constexpr int kMuted = -1;
    //! For every string in the instrument's order, the fret stopped: 0 for the open string, kMuted for a
    //! string not played.
    std::vector<std::int8_t> frets;
    int barreFret = 0;  //!< where the first finger lies across the strings barreFrom..barreTo; 0 for no barre
    int barreFrom = 0;
    int barreTo = 0;

    //! The lowest and highest fret stopped; 0 when every string played is open.
    [[nodiscard]] int LowestFret() const;
    [[nodiscard]] int HighestFret() const;
    //! The fingers the shape takes, a barre counting as one.
    [[nodiscard]] int Fingers() const;
    //! The shape as players write it, string by string: "x32010"; with a fret above 9, the frets apart:
    //! "x-10-12-12-12-10".
    [[nodiscard]] std::string Code() const;
    friend bool operator==(const FrettedShape&, const FrettedShape&) = default;
};

//! The shape code names on instrument, with the barre it needs; nothing for a code that does not fit.
[[nodiscard]] std::optional<FrettedShape> ShapeFromCode(std::string_view code,
                                                        const FrettedInstrument& instrument);

//! Whether a hand can play shape: the stopped frets within four, at most four fingers with a barre as one.
[[nodiscard]] bool Playable(const FrettedShape& shape);
//! Whether shape sounds the chord: only its tones, its root and third (or suspension), its seventh or
//! sixth and its alterations, at least the instrument's fewest strings, and the bass lowest where the
//! instrument has its lowest string first.
[[nodiscard]] bool SoundsChord(const FrettedShape& shape, const DiagramTones& tones,
                               const FrettedInstrument& instrument);

//! Shapes that play tones on instrument, best first and at most count: the shape players learn first for
//! the everyday chords, then shapes found by rule (a fingering within four frets, barre chords allowed),
//! lower on the neck and fuller first. A chord too rich for the strings leaves out its fifth, then its
//! less telling extensions.
[[nodiscard]] std::vector<FrettedShape> ShapesFor(const DiagramTones& tones,
                                                  const FrettedInstrument& instrument, std::size_t count = 6);

//! The keys a pianist plays for tones, in semitones above a C: the slash bass below, then the chord from its
//! root upwards, its extensions over the seventh. The lowest key is below 12.
[[nodiscard]] std::vector<int> PianoKeys(const DiagramTones& tones);

//! The shapes a chart chose for its chords on one instrument, by chord name ("F", "D/F#"), as its comment
//! line keeps them: "#kaz:guitar=F 133211; Bb x13331".
using ShapeChoices = std::map<std::string, std::string, std::less<>>;
[[nodiscard]] std::string ShapeLinePrefix(const FrettedInstrument& instrument);
[[nodiscard]] ShapeChoices ShapeChoicesOfChart(std::string_view text, const FrettedInstrument& instrument);
//! The change that keeps shape as the choice for the chord named name, or forgets the choice for none.
[[nodiscard]] std::optional<TextChange> ShapeChoiceChange(std::string_view text,
                                                          const FrettedInstrument& instrument,
                                                          std::string_view name,
                                                          const std::optional<FrettedShape>& shape);

//! The diagrams of one kind for the chords a chart shows, each shape worked out once.
class ChordDiagramBook {
  public:
    ChordDiagramBook() = default;
    ChordDiagramBook(DiagramKind kind, ShapeChoices choices);

    [[nodiscard]] DiagramKind Kind() const { return kind_; }
    [[nodiscard]] const FrettedInstrument* Instrument() const { return FrettedInstrumentOf(kind_); }
    //! The shape drawn for the chord named name with tones: the chart's choice when it sounds the chord,
    //! else the first of ShapesFor; nullptr for a piano, no chord or none found.
    [[nodiscard]] const FrettedShape* ShapeOf(const DiagramTones& tones, std::string_view name) const;

  private:
    DiagramKind kind_ = DiagramKind::None;
    ShapeChoices choices_;
    mutable std::map<std::string, std::optional<FrettedShape>, std::less<>> shapes_;
};

}  // namespace kaz
