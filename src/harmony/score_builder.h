#pragma once

#include <string_view>

#include "base/compile_context.h"
#include "harmony/chord_analysis.h"
#include "harmony/chord_definitions.h"
#include "harmony/score_tree.h"

namespace kaz {

//! The operations the grammar's actions call to build the score tree. Positions come from the compile
//! context; errors go out through ReportError.
class ScoreBuilder {
  public:
    ScoreBuilder(ScoreTree& score, CompileContext& context, const ChordDefinitions& definitions);

    //! A new empty measure in the current meter, not yet in any line.
    Measure* NewMeasure();
    //! A new empty line at the end of the score.
    ScoreLine* NewScoreLine();
    //! Analyse the chord symbol just read and add it to measure; false after reporting an error.
    [[nodiscard]] bool AddChord(Measure& measure, std::string_view tokenText);
    void AppendMeasure(ScoreLine& line, Measure& measure);
    //! front empty measures before the line's first measure, back after its last.
    void PadLine(ScoreLine& line, int front, int back);
    //! Remember the '%' just read.
    void AddRepeatMark();
    //! Turn the pending '%' signs into repeat measures of the last measures of the score.
    void AppendRepeatMeasures(ScoreLine& line);
    [[nodiscard]] bool SetMeter(int num, int den);
    [[nodiscard]] bool SetTempo(int bpm);
    //! A style mark, its lexeme "STYLE=name", opening the next measure appended.
    void AddStyleMark(std::string_view lexeme);

  private:
    void ReportAtBracket(std::string_view message, std::string_view text);
    void AppendNewMeasures(ScoreLine& line, int count);
    void OpenStyleMarks();

    ScoreTree& score_;
    CompileContext& context_;
    const ChordDefinitions& definitions_;
    AnalysedSymbols symbols_;
    //! Style marks made since the last measure was appended: they open the next one.
    std::size_t openStyleMarks_ = 0;
    int measureCount_;  //!< measures in the lines of the score, kept so that '%' costs no walk over the score
};

}  // namespace kaz
