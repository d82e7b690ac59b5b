#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>

#include "app/editor/error_mark.h"
#include "language/compile_score.h"
#include "render/measure_numbers.h"

namespace kaz {

class ChartEditor;

//! Checks the chart as it is typed. A moment after typing stops it compiles the editor's text as Play would,
//! but off the window's thread and on a compile state of its own, so a playing performance and the session's
//! chord definitions stay untouched. It marks the first error with a wavy red line whose tool tip says what
//! is wrong, and reports the same words for the status bar. A chart that compiles has its measures numbered
//! in the editor's margin; while a mistake stands the last numbers stay.
class LiveChecker final : public QObject {
    Q_OBJECT

  public:
    //! A check's result, the tempo mark of the chart it compiled and the numbers of its lines' measures.
    struct Checked {
        CompileResult result;
        std::optional<std::int32_t> tempoMark;
        std::vector<LineMeasureNumber> measureNumbers;
    };

    //! How long typing must stop before the chart is checked.
    static constexpr int kPauseMs = 300;

    //! Checks editor's chart with the chord definitions and settings that session has at each check.
    LiveChecker(ChartEditor& editor, const CompileState& session, QObject* parent);
    //! Waits for a check in progress to end.
    ~LiveChecker() override;
    LiveChecker(const LiveChecker&) = delete;
    LiveChecker& operator=(const LiveChecker&) = delete;

    //! Off: no mark and no report until it is on again; on: the chart is checked at once.
    void SetEnabled(bool enabled);
    //! Whether the hints of a chart that compiles are marked (dotted) and reported; on unless turned off.
    void SetHintsShown(bool shown);
    //! While a song plays nothing is checked; a check that fell due meanwhile runs when it stops.
    void SetPlaying(bool playing);
    //! Check now instead of after the pause in typing.
    void CheckNow();

  signals:
    //! A check ended with report, the words for the user ("Line 3: Unknown chord: `Cadd9`"), or nothing when
    //! the chart compiles.
    void checked(const QString& report);
    //! The chart's tempo mark as the last check read it; none when it has none or does not compile.
    void tempoMarkRead(std::optional<std::int32_t> mark);

  private:
    void OnTextChanged();
    void OnCheckEnded();
    void Show(const CompileResult& result);
    //! Mark the hints of result and return the report of the first.
    QString ShowHints(const CompileResult& result);

    ChartEditor& editor_;
    const CompileState& session_;
    QTimer pause_;
    QFutureWatcher<Checked> running_;
    //! The positions of the text the check runs on.
    TextPositionMap checkedPositions_;
    std::uint64_t revision_ = 0;         //!< changes of the text so far
    std::uint64_t checkedRevision_ = 0;  //!< the text the last check started on
    bool enabled_ = true;
    bool hintsShown_ = true;
    bool playing_ = false;
    bool due_ = false;  //!< a check waits for the song to stop or for the running check to end
    ErrorMark* mark_;
};

}  // namespace kaz
