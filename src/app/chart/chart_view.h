#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/chart/chart_sheet.h"
#include "chart/chart_layout.h"
#include "midi/playback_engine.h"

namespace kaz {

class ChartCompiler;
class ChartEditor;
struct ChartCompile;
class UserPrompts;

//! The chart as a lead-sheet grid, for reading from a music stand: it lays out each compile of the editor's
//! chart as it comes, in the chosen instrument's key, scales to its width (times the zoom), marks the
//! measure that sounds while the chart plays, and a click on a chord selects it in the editor. For screen
//! readers its description names the measure, the sounding chord and the next one, and changes with them.
//!
//! A chart with a mistake is shown with a note above it saying what is wrong; while the mistake is being
//! typed, the chart as it was last read stays below the note. A chart that replaces the one shown (opened,
//! new, restored) starts from nothing, so no other song is ever shown under its name.
class ChartView final : public QAbstractScrollArea {
    Q_OBJECT

  public:
    //! Shows the compiles of compiler, of editor's chart; watch says where the playback stands.
    ChartView(ChartCompiler& compiler, ChartEditor& editor, PlaybackWatch watch, QWidget* parent = nullptr);
    ~ChartView() override;

    //! The instrument the chart's comment line names, which the chords are shown for.
    [[nodiscard]] const Instrument& ShownInstrument() const { return part_.instrument; }
    //! Whom the chords are shown for: the chart's instrument and capo lines, and the numbers chosen.
    [[nodiscard]] const ChartPart& Part() const { return part_; }
    //! Name the chords by their letters or as numbers of the key.
    void SetNumbers(ChordNumbers numbers);
    //! Show the chart in the key with keyTonic (0 = C), as a set list asks for it, in place of the instrument
    //! of its own comment line; nothing goes back to that line.
    void SetSetKey(std::optional<int> keyTonic);
    //! Draw a diagram of kind over every chord, with the shapes the chart chose; none for None.
    void SetDiagramKind(DiagramKind kind);
    //! The diagrams over the chords, with the shapes the chart chose.
    [[nodiscard]] const ChordDiagramBook& Diagrams() const { return diagrams_; }
    void SetZoom(double zoom);
    //! Lay out the editor's text as it is now, waiting for its compile when it has not come yet.
    void Relayout();
    //! Another chart takes the editor's place: what was laid out belongs to the one before.
    void ForgetChart();
    //! Whether the compile last taken has a mistake (a language error, or a fault of the compile).
    [[nodiscard]] bool HasMistake() const { return mistake_ != nullptr; }
    //! Say what the mistake is as Play does, with its text selected in the editor; false when there is one.
    [[nodiscard]] bool ShowMistake(UserPrompts& prompts) const;
    //! The playback started, paused, went on or stopped: follow it, or clear the mark.
    void FollowPlayback(bool playing);

    [[nodiscard]] const ChartLayout& Layout() const { return layout_; }
    //! The measure marked as sounding; none while stopped.
    [[nodiscard]] std::optional<std::uint32_t> SoundingMeasure() const { return sounding_; }
    //! The sheet as it is drawn at the view's width now.
    [[nodiscard]] ChartSheet Sheet() const;
    //! The editor text range a click at point (in the viewport) selects; nothing off the chords and measures.
    [[nodiscard]] std::optional<TextRange> TextAtPoint(QPoint point) const;
    //! The chord (an index of the layout's chords) whose diagram stands at point; nothing elsewhere.
    [[nodiscard]] std::optional<std::uint32_t> DiagramAtPoint(QPoint point) const;
    //! Keep shape in the chart as the one to draw for chord (an index of the layout's chords) on the fretted
    //! instrument shown; nothing forgets the chart's choice. Not while the editor is read-only.
    void ChooseShape(std::uint32_t chord, const std::optional<FrettedShape>& shape);

  signals:
    //! The chart's comment line now names another instrument.
    void instrumentChanged(const Instrument& instrument);
    //! The chart's comment line now puts the capo on another fret; 0 for none.
    void capoChanged(int capo);
    //! Ctrl and the wheel: steps up (positive) or down.
    void zoomStepped(int steps);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    //! Lay out compile, unless the chart has an error: while a mistake is being typed the chart stays as it
    //! was read last.
    void Take(const std::shared_ptr<const ChartCompile>& compile);
    //! The diagrams of kind for text, with the shapes its comment line chose.
    void ReadDiagrams(DiagramKind kind, std::string_view text);
    //! A point of the viewport as the sheet's row under it and the place within that row.
    struct RowPoint {
        std::size_t row;
        double x;
        double y;
    };
    [[nodiscard]] std::optional<RowPoint> PointInRow(const ChartSheet& sheet, QPoint point) const;
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

    ChartCompiler& compiler_;
    ChartEditor& editor_;
    PlaybackWatch watch_;
    bool playing_ = false;
    std::shared_ptr<const ChartCompile> shown_;    //!< what the layout was made from
    std::shared_ptr<const ChartCompile> mistake_;  //!< the compile last taken, when it has a mistake
    //! The editor's revision when another chart took its place: compiles up to it are of the chart before.
    std::optional<std::uint64_t> forgottenAt_;
    ChartLayout layout_;
    ChartPart part_;
    std::optional<int> setKey_;  //!< the key a set list gives the chart
    ChordDiagramBook diagrams_;
    double zoom_ = 1.0;
    QTimer refresh_;
    std::shared_ptr<const CompiledChart> played_;  //!< the chart that plays
    ChartSpelling playedSpelling_;                 //!< of the chart that plays
    std::optional<std::uint32_t> sounding_;
};

}  // namespace kaz
