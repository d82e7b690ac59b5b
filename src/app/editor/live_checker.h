#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>

#include "app/editor/error_mark.h"
#include "language/compile_score.h"

namespace kaz {

class ChartCompiler;
class ChartEditor;
struct ChartCompile;

//! Checks the chart as it is typed, from the compiles that every reader of the chart shares, so it says
//! what Play and the chart view find. It marks the first error with a wavy red line whose tool tip says
//! what is wrong, and reports the same words for the status bar; an error shows once typing has stopped for
//! a moment, while the marks of a mended mistake go at once. A chart that compiles has its measures numbered
//! in the editor's margin; while a mistake stands the last numbers stay.
class LiveChecker final : public QObject {
    Q_OBJECT

  public:
    //! How long typing must stop before an error is marked.
    static constexpr int kPauseMs = 300;

    //! Checks editor's chart with the compiles of compiler.
    LiveChecker(ChartEditor& editor, ChartCompiler& compiler, QObject* parent);

    //! Off: no mark and no report until it is on again; on: the chart is checked at once.
    void SetEnabled(bool enabled);
    //! Whether the hints of a chart that compiles are marked (dotted) and reported; on unless turned off.
    void SetHintsShown(bool shown);
    //! Show what the latest compile of the text as it is now found, without waiting for a pause in typing.
    void CheckNow();

  signals:
    //! A check ended with report, the words for the user ("Line 3: Unknown chord: `Cadd9`"), or nothing when
    //! the chart compiles.
    void checked(const QString& report);
    //! The chart's tempo mark as the last check read it; none when it has none or does not compile.
    void tempoMarkRead(std::optional<std::int32_t> mark);

  private:
    //! A compile came: show it, unless it is of an older text or an error to show after the pause.
    void OnCompiled();
    void Show(const ChartCompile& compile);
    //! Mark the hints of compile and return the report of the first.
    QString ShowHints(const ChartCompile& compile);

    ChartEditor& editor_;
    ChartCompiler& compiler_;
    QTimer pause_;
    bool enabled_ = true;
    bool hintsShown_ = true;
    ErrorMark* mark_;
};

}  // namespace kaz
