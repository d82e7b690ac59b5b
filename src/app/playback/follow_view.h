#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "chart/chart_layout.h"
#include "midi/playback_engine.h"
#include "render/style_map.h"

namespace kaz {

//! A panel that shows, large enough to read across a room, the chord that sounds, the one after it, the
//! measure and the beat, and the style that plays them while the chart plays; stopped, it shows nothing. A
//! screen reader hears the measure and the chords as they change, in its description; the panel takes the
//! focus by Tab for that. It looks at the playback a few times a second on a timer of its own, never from the
//! playback's tick, and only while it is shown. A chart with a capo line shows the shapes to finger; a chart
//! with lyrics shows the line sung over the measure that plays.
class FollowView final : public QWidget {
    Q_OBJECT

  public:
    //! Follows the playback that watch looks at.
    explicit FollowView(PlaybackWatch watch, QWidget* parent = nullptr);

    //! What the panel shows; all empty while stopped.
    struct Shown {
        QString chord;    //!< the sounding chord, "–" for none; the count during the count-in
        QString next;     //!< the chord after it; empty when none follows
        QString measure;  //!< "Measure 5", "A · Measure 12 (2nd time)", or "Count-in"
        int beat = 0;     //!< one-based
        int beats = 0;
        QString spoken;  //!< what a screen reader hears: the measure, the chord and the next one
        QString style;   //!< the style that plays the measure, the block chords' name for them
        QString words;   //!< the line of lyrics sung over the measure; empty without one
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    [[nodiscard]] const Shown& Showing() const { return shown_; }

    //! The playback started, paused, went on or stopped: follow it, or clear.
    void FollowPlayback(bool playing);
    //! Bring the panel up to date with the playback now.
    void Refresh();

    [[nodiscard]] QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    [[nodiscard]] Shown Describe(const SongPlace& place) const;
    void Show(const Shown& shown);
    //! Draw text in rectangle area as large as its height allows, smaller when it is too wide.
    void DrawFitted(QPainter& painter, const QRectF& area, const QString& text, int weight) const;
    void DrawBeats(QPainter& painter, const QRectF& area) const;
    //! Draw the sung line in area, over two lines when it is long.
    void DrawWords(QPainter& painter, const QRectF& area) const;

    PlaybackWatch watch_;
    bool playing_ = false;
    //! The chart being played and its styles, kept while they are shown; none while stopped.
    std::shared_ptr<const CompiledChart> played_;
    std::optional<StyleMap> styles_;
    ChartSpelling capoShapes_;  //!< of the chart being played
    ChartLayout layout_;        //!< of the chart being played, for its lyrics
    QTimer refresh_;
    Shown shown_;
};

}  // namespace kaz
