#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/record_list.h"
#include "base/ticks.h"
#include "harmony/notation.h"

namespace kaz {

//! A note name as written in a chord symbol: a letter and at most one accidental, kept inline so that a
//! chord costs no allocation for its names.
class NoteName {
  public:
    NoteName() = default;
    //! The first two characters of text at most.
    explicit NoteName(std::string_view text);
    NoteName& operator=(std::string_view text) { return *this = NoteName(text); }

    [[nodiscard]] std::string_view view() const { return {chars_, size_}; }
    operator std::string_view() const { return view(); }
    [[nodiscard]] const char* data() const { return chars_; }
    [[nodiscard]] std::size_t size() const { return size_; }
    [[nodiscard]] bool empty() const { return size_ == 0; }

    friend bool operator==(const NoteName& name, std::string_view text) { return name.view() == text; }
    friend bool operator==(const NoteName& a, const NoteName& b) { return a.view() == b.view(); }

  private:
    char chars_[2] = {};
    std::uint8_t size_ = 0;
};

//! One chord symbol of the chart, analysed into MIDI keys.
struct Chord {
    std::int8_t noteCount = 0;   //!< 0 for a rest
    std::int8_t notes[7] = {};   //!< notes[0] the bass key, notes[1..noteCount-1] the chord voice
    NoteName rootName;           //!< e.g. "Bb", "F#", "H"
    NoteName bassName;           //!< after the '/'; empty without a bass
    std::string text;            //!< the symbol as written
    std::string suffix;          //!< between the root and the first '/'
    std::int32_t textStart = 0;  //!< offset of the symbol in the chart text
    std::int32_t textEnd = 0;    //!< offset just past it
    std::int32_t rootPitch = 0;  //!< -8 .. 3
    std::int32_t bassPitch = 0;  //!< -8 .. 3; rootPitch without a bass
};

struct Meter {
    std::int32_t num = 4;
    std::int32_t den = 4;
    Ticks ticks = TICKS_PER_WHOLE;
};

struct Measure {
    Ticks ticks = TICKS_PER_WHOLE;
    std::int32_t meterNum = 4;
    std::int32_t meterDen = 4;
    std::int32_t repeatStart = 0;  //!< for a repeat measure, the offset of its '%'
    std::int32_t repeatEnd = 0;    //!< non-zero exactly for a repeat measure
    const Measure* source = this;  //!< the written-out measure whose chords are played
    std::vector<const Chord*> chords;
};

struct ScoreLine {
    std::vector<const Measure*> measures;  //!< in playing order
};

struct RepeatMark {
    std::int32_t start = 0;
    std::int32_t end = 0;
};

//! What one compile builds; emptied by the next compile.
struct ScoreTree {
    std::vector<std::unique_ptr<ScoreLine>> scoreLines;  //!< text order = playing order
    RecordList<Measure> allMeasures;
    RecordList<Chord> allChords;  //!< text order
    std::vector<RepeatMark> pendingRepeats;

    Meter currentMeter;
    bool meterGiven = false;
    bool tempoGiven = false;
    std::int32_t scoreTempo = 0;  //!< the chart's tempo mark; kept from the last compile that had one

    NotationMode bLettersSeen = 0;     //!< B spellings used; the resolved notation after rendering
    const Chord* lastChord = nullptr;  //!< the last chord analysed by name

    //! Free the tree and forget the spellings seen and the last chord.
    void Clear();
    //! Start a compile: 4/4, no meter or tempo mark given yet.
    void ResetCompileState();

    //! Number of measures over all lines.
    [[nodiscard]] int CountMeasures() const;
    //! The measure at a flat index over the lines in order, or nullptr past the end.
    [[nodiscard]] const Measure* MeasureAt(int index) const;
    //! The same, for a caller that knows the number of measures: walks back from the last line, so an
    //! index near the end costs little however long the score is.
    [[nodiscard]] const Measure* MeasureAt(int index, int measureCount) const;
};

}  // namespace kaz
