#pragma once

#include <string_view>
#include <vector>

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
    //! A tempo mark: bpm quarter notes a minute, or dotted quarter notes when dotted ("[TEMPO=66.]").
    [[nodiscard]] bool SetTempo(int bpm, bool dotted = false);
    //! A count mark ("[5]") just read: like a meter or tempo mark, it makes a measure of its own.
    void AddCountMark();
    //! The end of a line of marks only: its meter or tempo mark makes no measure.
    void EndMarkLine();
    //! A style mark, its lexeme "STYLE=name", opening the next measure appended.
    void AddStyleMark(std::string_view lexeme);
    //! A key mark, its lexeme "KEY=name"; false after reporting a key it cannot read.
    [[nodiscard]] bool AddKeyMark(std::string_view lexeme);

    //! The bracket mark just read ("[A]", brackets included) that opens the next measure: a section, an
    //! ending, a segno or a coda.
    [[nodiscard]] bool AddOpeningMark(std::string_view bracket);
    //! The bracket mark just read after the last chord of a measure: a jump, a fine, a repeat count.
    [[nodiscard]] bool AddClosingMark(std::string_view bracket);
    //! The closing marks just read after a line's last bar line or on a line of their own end the last
    //! measure written; false after reporting that there is none.
    [[nodiscard]] bool EndLastMeasure();
    //! "|:" at [start, start + length): the next measure starts a repeated passage.
    void OpenRepeat(int start, int length);
    //! ":|" at [start, start + length), with its count ("x3") when times is not empty: the last measure
    //! ends a repeated passage.
    [[nodiscard]] bool CloseRepeat(int start, int length, std::string_view times);
    //! The end of the chart: false after reporting a mark that no measure follows.
    [[nodiscard]] bool FinishForm();

  private:
    void ReportAtBracket(const char* message, std::string_view text);
    //! Report a hint when the chord just added most likely means something else to its writer.
    void HintAtChord(const Chord& chord);
    void AppendNewMeasures(ScoreLine& line, int count);
    //! A mark quoting text and selecting selected in messages, waiting for its measure.
    FormMark& AddPendingMark(FormMarkKind kind, std::string_view text, std::string_view selected);
    void ReportAtMark(const char* message, std::string_view text, std::string_view bracket);
    //! The marks read since the last measure entered a line belong to measure.
    void PlacePendingMarks(const Measure& measure);
    void OpenStyleMarks();
    //! A measure without chords whose only marks are section, ending, segno, coda or style marks is no
    //! measure: those marks open the next one written, as on a line of their own.
    [[nodiscard]] bool OnlyOpensTheNext(const Measure& measure) const;
    //! A measure entered the score: the marks read since belong to the next one.
    void StartNextMeasure();

    ScoreTree& score_;
    CompileContext& context_;
    const ChordDefinitions& definitions_;
    AnalysedSymbols symbols_;
    //! Style marks made since the last measure was appended: they open the next one.
    std::size_t openStyleMarks_ = 0;
    //! A key mark made since the last measure was appended, which opens the next one as a style mark does.
    bool openKeyMark_ = false;
    int measureCount_;  //!< measures in the lines of the score, kept so that '%' costs no walk over the score
    std::vector<FormMark> pendingMarks_;    //!< form marks waiting for their measure
    const Measure* lastWritten_ = nullptr;  //!< the last measure written into a line, not a padding one
    bool measureMarkGiven_ =
        false;  //!< a meter, tempo or count mark since the last measure entered the score
};

}  // namespace kaz
