#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/compile_context.h"

namespace kaz {

//! What a lexeme of a chart is, as the editor colours it.
enum class ChartTokenKind : std::uint8_t {
    Chord,    //!< a chord symbol
    Sign,     //!< a rest "-", a strike "/", a hold "=" or a repeat "%"
    BarLine,  //!< "|"
    Mark,     //!< any part of a bracket mark: the brackets, keywords, numbers, names, "=" and "/" in it
    Comment,  //!< a line from a "#" in the first column, and the words of a lyric line from a ">" there
    Other,    //!< what the language gives no meaning of its own ("*"), or rejects (a stray character)
    Form,     //!< the way through the song: a repeat sign and its count, an ending, a jump, a segno, a coda
    Section,  //!< a section mark: "[A]", "[Verse]"
};

//! Where the scanner stands at the start of a line: between chords, or inside a bracket mark, reading numbers
//! and keywords or the name of a chord definition. A line break changes none of them.
enum class ChartLineState : std::uint8_t { Chords, Bracket, DefinitionName };

//! One lexeme of a line; start and length count bytes of the line.
struct ChartToken {
    ChartTokenKind kind;
    int start;
    int length;

    friend bool operator==(const ChartToken&, const ChartToken&) = default;
};

struct ScannedChartLine {
    std::vector<ChartToken> tokens;  //!< in text order; blanks, line breaks and continuations have none
    ChartLineState end = ChartLineState::Chords;
};

//! The chart scanner run over one line at a time, for colouring: a line scanned in the state the line before
//! it ended in gives the lexemes the compile reads there. It keeps one scanner for all the lines it scans.
class ChartLineScanner {
  public:
    ChartLineScanner() = default;
    ~ChartLineScanner();
    ChartLineScanner(const ChartLineScanner&) = delete;
    ChartLineScanner& operator=(const ChartLineScanner&) = delete;

    //! The lexemes of line (UTF-8, with its line break when one follows) scanned from start. A scanner fault,
    //! such as running out of memory, ends the line early with the lexemes found so far.
    [[nodiscard]] ScannedChartLine Scan(std::string_view line, ChartLineState start);

  private:
    CompileContext context_;
    void* scanner_ = nullptr;
};

}  // namespace kaz
