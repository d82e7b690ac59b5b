#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/record_list.h"
#include "base/text_arena.h"
#include "base/ticks.h"
#include "harmony/notation.h"

namespace kaz {

//! A note name as written in a chord symbol: a letter and at most one accidental, kept inline so that a
//! chord costs no allocation for its names. A name never holds a NUL byte, so the bytes tell its length.
class NoteName {
  public:
    NoteName() = default;
    //! The first two characters of text at most.
    explicit NoteName(std::string_view text);
    NoteName& operator=(std::string_view text) { return *this = NoteName(text); }

    [[nodiscard]] std::string_view view() const { return {chars_, size()}; }
    operator std::string_view() const { return view(); }
    [[nodiscard]] const char* data() const { return chars_; }
    [[nodiscard]] std::size_t size() const { return chars_[0] == 0 ? 0 : chars_[1] == 0 ? 1 : 2; }
    [[nodiscard]] bool empty() const { return chars_[0] == 0; }

    friend bool operator==(const NoteName& name, std::string_view text) { return name.view() == text; }
    friend bool operator==(const NoteName& a, const NoteName& b) { return a.view() == b.view(); }

  private:
    char chars_[2] = {};
};

//! One chord symbol of the chart, analysed into MIDI keys.
//! A compile makes one for every symbol of the chart, so the fields are packed: small numbers in small types,
//! and the symbol and its suffix as lengths within one kept text.
struct Chord {
    std::int8_t noteCount = 0;  //!< 0 for a rest
    std::int8_t notes[7] = {};  //!< notes[0] the bass key, notes[1..noteCount-1] the chord voice
    NoteName rootName;          //!< e.g. "Bb", "F#", "H"
    NoteName bassName;          //!< after the '/'; empty without a bass
    std::int8_t rootPitch = 0;  //!< -8 .. 3
    std::int8_t bassPitch = 0;  //!< -8 .. 3; rootPitch without a bass

  private:
    std::uint8_t suffixStart_ = 0;  // in the byte the fields above leave free

  public:
    std::int32_t textStart = 0;  //!< offset of the symbol in the chart text
    std::int32_t textEnd = 0;    //!< offset just past it

    //! The symbol as written.
    [[nodiscard]] std::string_view text() const { return {kept_, textLength_}; }
    //! Between the root and the first '/'; for "/" and "=", the suffix of the chord they play again.
    [[nodiscard]] std::string_view suffix() const { return {kept_ + suffixStart_, suffixLength_}; }

    //! kept starts with the symbol, symbolLength bytes, and lives as long as the chord (the score keeps it in
    //! ScoreTree::chordTexts). The suffix is empty until SetSuffix.
    void SetText(std::string_view kept, std::size_t symbolLength) {
        kept_ = kept.data();
        textLength_ = static_cast<std::uint32_t>(symbolLength);
        suffixStart_ = 0;
        suffixLength_ = 0;
    }
    void SetText(std::string_view kept) { SetText(kept, kept.size()); }
    //! The suffix at [start, start + length) of the kept text; start is at most a note name's length past
    //! the symbol's start, or just past a one-byte sign.
    void SetSuffix(std::size_t start, std::size_t length) {
        suffixStart_ = static_cast<std::uint8_t>(start);
        suffixLength_ = static_cast<std::uint32_t>(length);
    }

  private:
    const char* kept_ = "";
    std::uint32_t textLength_ = 0;
    std::uint32_t suffixLength_ = 0;
};
static_assert(sizeof(Chord) <= 40);

struct Meter {
    std::int32_t num = 4;
    std::int32_t den = 4;
    Ticks ticks = TICKS_PER_WHOLE;
};

//! The chords of one measure: a run of the score's chord list, which holds a measure's chords one after the
//! other. Read like a list of chord pointers.
class MeasureChords {
  public:
    using Iterator = RecordList<Chord>::const_pointer_iterator;

    //! Add the last chord of list, which must follow the chords added so far.
    void AddLast(const RecordList<Chord>& list) {
        if (count_ == 0) {
            list_ = &list;
            first_ = static_cast<std::uint32_t>(list.size() - 1);
        }
        ++count_;
    }

    [[nodiscard]] std::size_t size() const { return count_; }
    [[nodiscard]] bool empty() const { return count_ == 0; }
    [[nodiscard]] const Chord* operator[](std::size_t index) const { return &(*list_)[first_ + index]; }
    [[nodiscard]] const Chord* front() const { return (*this)[0]; }
    [[nodiscard]] Iterator begin() const { return {list_, first_}; }
    [[nodiscard]] Iterator end() const { return {list_, std::size_t{first_} + count_}; }

  private:
    const RecordList<Chord>* list_ = nullptr;
    std::uint32_t first_ = 0;
    std::uint32_t count_ = 0;
};

struct Measure {
    Ticks ticks = TICKS_PER_WHOLE;
    std::int16_t meterNum = 4;     //!< 1 .. 256
    std::int16_t meterDen = 4;     //!< 1 .. 256
    std::int32_t repeatStart = 0;  //!< for a repeat measure, the offset of its '%'
    std::int32_t repeatEnd = 0;    //!< non-zero exactly for a repeat measure
    const Measure* source = this;  //!< the written-out measure whose chords are played
    MeasureChords chords;
};

//! The written measures in order, one slot each, and the measures as they are played: a compile's two
//! longest lists, kept in memory mapped as its records are.
using MeasureSlots = std::vector<const Measure*, SlabAllocator<const Measure*>>;
struct PlayedMeasure;
using PlayOrder = std::vector<PlayedMeasure, SlabAllocator<PlayedMeasure>>;

//! The measure slots of one line: a run of the score's slot list, which holds the lines' slots one line after
//! the other. Read like a list of measure pointers.
class LineMeasures {
  public:
    [[nodiscard]] std::size_t size() const { return count_; }
    [[nodiscard]] bool empty() const { return count_ == 0; }
    [[nodiscard]] const Measure* operator[](std::size_t index) const { return (*slots_)[first_ + index]; }
    [[nodiscard]] const Measure* back() const { return (*this)[count_ - 1]; }
    [[nodiscard]] const Measure* const* begin() const {
        return slots_ == nullptr ? nullptr : slots_->data() + first_;
    }
    [[nodiscard]] const Measure* const* end() const { return begin() + count_; }

  private:
    friend struct ScoreTree;
    const MeasureSlots* slots_ = nullptr;
    std::uint32_t first_ = 0;
    std::uint32_t count_ = 0;
};

struct ScoreLine {
    LineMeasures measures;  //!< in playing order
};

//! One measure of the performance: a slot of the written score, and which time round it is played. The
//! performance plays ScoreTree::playOrder from first to last.
struct PlayedMeasure {
    std::uint32_t slot = 0;  //!< index in ScoreTree::measureSlots: one less than the written measure's number
    std::uint32_t pass = 1;  //!< 1 the first time the slot is played, 2 the second time, ...
};

//! A mark in brackets that names something from the measure it opens on: a section ("[A]", "[Verse]") or a
//! style ("[STYLE=Bossa nova]"). The text range is the whole bracket, for the messages that point at it.
struct OpeningMark {
    std::string name;
    std::uint32_t slot = 0;  //!< index in ScoreTree::measureSlots of the measure it opens
    std::int32_t textStart = 0;
    std::int32_t textEnd = 0;
};

//! A sign of the song's form: a repeat bar line, an ending, a jump or a mark a jump goes to. The grammar
//! reads it beside the measure it belongs to; the unrolling places it on that measure's slot.
enum class FormMarkKind : std::uint8_t {
    RepeatOpen,   //!< "|:": a repeated passage starts with this measure
    RepeatClose,  //!< ":|": the passage ends with this measure; value the times it is played, 0 unless given
    Times,        //!< "[x3]" before a ":|": value the times
    Ending,       //!< "[1.]", "[1.2.]": value the passes it is played on, as first << 16 | last
    Section,      //!< "[A]", "[Verse]": value its index in ScoreTree::sections
    Segno,
    Coda,
    ToCoda,
    Fine,
    DaCapo,    //!< with until
    DalSegno,  //!< with until
};

//! Where a jump back plays to.
enum class JumpUntil : std::uint8_t { End, Fine, Coda };

struct FormMark {
    FormMarkKind kind = FormMarkKind::Section;
    JumpUntil until = JumpUntil::End;
    std::uint32_t value = 0;
    const Measure* measure = nullptr;  //!< the measure it belongs to, as the grammar built it
    std::uint32_t slot = 0;            //!< that measure's index in ScoreTree::measureSlots, once unrolled
    std::int32_t textStart = 0;        //!< what the messages quote
    std::int32_t textEnd = 0;
    std::int32_t selectionStart = 0;  //!< what they select: the whole bracket
    std::int32_t selectionEnd = 0;
    //! A form mark opens its measure or, like a repeat's end or a jump, ends it.
    [[nodiscard]] bool EndsMeasure() const {
        return kind == FormMarkKind::RepeatClose || kind == FormMarkKind::Times ||
               kind == FormMarkKind::ToCoda || kind == FormMarkKind::Fine || kind == FormMarkKind::DaCapo ||
               kind == FormMarkKind::DalSegno;
    }
};

//! A key mark ("[KEY=Eb]", "[KEY=F#m]", "[KEY=fis-Moll]"): the key the chart is written in from the mark on,
//! which the instrument parts and the transposition spell by.
struct KeyMark {
    NoteName tonicName;  //!< in English: "Eb", "F#", "B" (B flat in a German chart), "H"
    bool minor = false;
    std::string written;         //!< the note as the mark writes it: "Eb", "fis"
    std::int32_t textStart = 0;  //!< the bracket, for the messages that point at it
    std::int32_t textEnd = 0;
    std::int32_t noteStart = 0;  //!< its note, which a transposition rewrites
};

struct RepeatMark {
    std::int32_t start = 0;
    std::int32_t end = 0;
};

//! What one compile builds; emptied by the next compile.
struct ScoreTree {
    //! Where the record lists of a long chart make their slabs; before them, so that it outlives them.
    SharedSlabs recordSlabs;
    TextArena chordTexts;              //!< where the chords keep their symbols
    RecordList<ScoreLine> scoreLines;  //!< text order = playing order
    //! The measure slots of all lines, line after line; a line reads its own run of them.
    MeasureSlots measureSlots;
    RecordList<Measure> allMeasures;
    RecordList<Chord> allChords;  //!< text order
    std::vector<RepeatMark> pendingRepeats;
    //! The measures as the performance plays them (see UnrollForm).
    PlayOrder playOrder;
    std::vector<OpeningMark> sections;    //!< in text order
    std::vector<OpeningMark> styleMarks;  //!< in text order
    std::vector<KeyMark> keyMarks;        //!< in text order
    std::vector<FormMark> formMarks;      //!< in text order

    Meter currentMeter;
    bool meterGiven = false;
    bool tempoGiven = false;
    std::int32_t scoreTempo = 0;  //!< the chart's tempo mark; kept from the last compile that had one
    //! The tempo mark as written: its number, and whether it counts dotted quarter notes; scoreTempo is
    //! always in quarter notes.
    struct TempoMark {
        std::int32_t beats = 0;
        bool dotted = false;
    } tempoMark;

    NotationMode bLettersSeen = 0;     //!< B spellings used; the resolved notation after rendering
    const Chord* lastChord = nullptr;  //!< the last chord analysed by name
    //! The first chord written the German way, with a German note name ("Fis7", "D/Es") or in lowercase for
    //! minor ("d"); such chords are read in German and mixed notation only.
    const Chord* firstGermanChord = nullptr;
    //! The chart says the notation it is written in (its notation line), which the compile reads it under.
    bool notationKept = false;
    //! The band's intro before the first measure, as the performance plays it: how long it lasts, and the
    //! one-based played measure it plays first (the song's last bars); 0 for a count-in, which plays none.
    struct Intro {
        Ticks ticks = 0;
        std::uint32_t fromMeasure = 0;
    } intro;

    //! A new empty line at the end of the score.
    ScoreLine& AddLine();
    //! Append measure to line, the last line of the score.
    void AppendToLine(ScoreLine& line, const Measure& measure);
    //! Move the last count measures of line, the last line of the score, to its front in their order.
    void MoveToLineFront(ScoreLine& line, std::size_t count);

    //! Free the tree and forget the spellings seen and the last chord.
    void Clear();
    //! Start a compile: 4/4, no meter or tempo mark given yet.
    void ResetCompileState();
    //! Make room for the measure slots of a chart of textBytes bytes, so that the slot list of a long chart
    //! is not copied over and over as it grows, and let the record lists of a long chart share their slabs.
    //! The tree must be empty.
    void ReserveForChart(std::size_t textBytes);

    //! Number of measures over all lines.
    [[nodiscard]] int CountMeasures() const { return static_cast<int>(measureSlots.size()); }
    //! The measure at a flat index over the lines in order, or nullptr past the end.
    [[nodiscard]] const Measure* MeasureAt(int index) const;
    //! The same, for a caller that knows the number of measures.
    [[nodiscard]] const Measure* MeasureAt(int index, int measureCount) const;
    //! The written slot a played measure plays.
    [[nodiscard]] const Measure& Slot(const PlayedMeasure& played) const {
        return *measureSlots[played.slot];
    }
};

}  // namespace kaz
