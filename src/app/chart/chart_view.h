#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/chart/chart_sheet.h"
#include "base/text_positions.h"
#include "chart/chart_layout.h"
#include "language/compile_score.h"
#include "render/song_map.h"

namespace kaz {

class ChartEditor;
class ErrorPresenter;
struct Session;

//! The chart as a lead-sheet grid, for reading from a music stand: it lays out the editor's text a moment
//! after each change, in the chosen instrument's key, scales to its width (times the zoom), marks the
//! measure that sounds while the chart plays, and a click on a chord selects it in the editor. For screen
//! readers its description names the measure, the sounding chord and the next one, and changes with them.
//!
//! A chart with a mistake is shown with a note above it saying what is wrong; while the mistake is being
//! typed, the chart as it was last read stays below the note. A chart that replaces the one shown (opened,
//! new, restored) starts from nothing, so no other song is ever shown under its name.
class ChartView final : public QAbstractScrollArea {
    Q_OBJECT

  public:
    ChartView(Session& session, ChartEditor& editor, PlaybackPlace place, QWidget* parent = nullptr);
    ~ChartView() override;

    //! The instrument the chart's comment line names, which the chords are shown for.
    [[nodiscard]] const Instrument& ShownInstrument() const { return instrument_; }
    void SetZoom(double zoom);
    //! Lay out the editor's text now rather than after the pause that follows typing.
    void Relayout();
    //! Another chart takes the editor's place: what was laid out belongs to the one before.
    void ForgetChart();
    //! Whether the text last laid out has a mistake (a language error, or a fault of the compile).
    [[nodiscard]] bool HasMistake() const { return mistake_.has_value(); }
    //! Say what the mistake is as Play does, with its text selected in the editor; false when there is one.
    [[nodiscard]] bool ShowMistake(ErrorPresenter& presenter) const;
    //! The playback started, paused, went on or stopped: follow it, or clear the mark.
    void FollowPlayback(bool playing);

    [[nodiscard]] const ChartLayout& Layout() const { return layout_; }
    //! The measure marked as sounding; none while stopped.
    [[nodiscard]] std::optional<std::uint32_t> SoundingMeasure() const { return sounding_; }
    //! The sheet as it is drawn at the view's width now.
    [[nodiscard]] ChartSheet Sheet() const;
    //! The editor text range a click at point (in the viewport) selects; nothing off the chords and measures.
    [[nodiscard]] std::optional<TextRange> TextAtPoint(QPoint point) const;

  signals:
    //! The chart's comment line now names another instrument.
    void instrumentChanged(const Instrument& instrument);
    //! Ctrl and the wheel: steps up (positive) or down.
    void zoomStepped(int steps);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    //! Where the sheet starts in the viewport's content, below the note of a mistake.
    [[nodiscard]] double SheetTop(const ChartSheet& sheet) const;
    //! The words of the note over a chart with a mistake; empty without one.
    [[nodiscard]] QString MistakeNote() const;
    [[nodiscard]] int MistakeNoteHeight() const;
    //! The note across the viewport's width, its top at top.
    void DrawMistakeNote(QPainter& painter, double top) const;
    void UpdateScrollRange();
    void RefreshSounding();
    void Describe();
    //! Tell screen readers words, when they differ from what the view said last.
    void Announce(const QString& words);
    void ScrollToMeasure(std::uint32_t measure);

    Session& session_;
    ChartEditor& editor_;
    PlaybackPlace place_;
    bool playing_ = false;
    class DiscardedEvents;
    std::unique_ptr<CompileState> compile_;  //!< the view's own compile: the playback's lives elsewhere
    std::unique_ptr<DiscardedEvents> discarded_;
    std::string text_;  //!< what the layout was made from
    TextPositionMap positions_;
    std::optional<CompileResult> mistake_;  //!< of the text last read, when it does not compile
    TextPositionMap mistakePositions_;      //!< of that text
    ChartLayout layout_;
    Instrument instrument_;
    double zoom_ = 1.0;
    QTimer relayout_;
    QTimer refresh_;
    std::optional<SongMap> song_;
    ChartSpelling playedSpelling_;  //!< of the score that plays
    std::optional<std::uint32_t> sounding_;
};

}  // namespace kaz
