#include "app/chart/chart_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/editor/chart_editor.h"
#include "app/session.h"
#include "app/sounding_words.h"
#include "base/error_presenter.h"

namespace kaz {

namespace {

//! The pause after typing before the chart is laid out again.
constexpr int kRelayoutMs = 150;
//! The sounding measure is looked up a few times a second, never from the playback's tick.
constexpr int kRefreshMs = 50;
constexpr double kMargin = 0.6;  // in units

QString ChordWords(const Chord* chord, const ChartSpelling& spelling) {
    if (chord == nullptr) {
        return {};
    }
    const ChartChord shown = ShowChord(*chord, spelling);
    if (shown.kind != ChartChord::Kind::Chord) {
        const std::string name = ChordName(*chord);
        return QString::fromStdString(name);
    }
    return QString::fromStdString(shown.symbol.Text());
}

}  // namespace

class ChartView::DiscardedEvents final : public EventConsumer {
  public:
    void Take(std::span<const MidiEvent>) override {}
};

namespace {

//! The editor seam over a text the view compiled: its positions reach the editor through positions.
class ViewedText final : public NoEditor {
  public:
    ViewedText(ChartEditor& editor, const TextPositionMap& positions)
        : editor_(editor), positions_(positions) {}
    void Select(TextRange range) override { editor_.setTextCursor(editor_.CursorAt(positions_, range)); }
    void ScrollToSelection() override { editor_.ensureCursorVisible(); }

  private:
    ChartEditor& editor_;
    const TextPositionMap& positions_;
};

}  // namespace

ChartView::ChartView(Session& session, ChartEditor& editor, PlaybackPlace place, QWidget* parent)
    : QAbstractScrollArea(parent),
      session_(session),
      editor_(editor),
      place_(std::move(place)),
      compile_(std::make_unique<CompileState>()),
      discarded_(std::make_unique<DiscardedEvents>()) {
    // The view needs the score only: the performance is dropped as it is made.
    compile_->events.StreamTo(discarded_.get());
    setAccessibleName(tr("Chart view"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setMinimumSize(240, 160);
    relayout_.setSingleShot(true);
    relayout_.setInterval(kRelayoutMs);
    connect(&relayout_, &QTimer::timeout, this, &ChartView::Relayout);
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &ChartView::RefreshSounding);
    connect(editor_.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        // A hidden view is laid out when it shows: a long chart costs the typing nothing meanwhile.
        if ((removed != 0 || added != 0) && isVisible()) {
            relayout_.start();
        }
    });
    Relayout();
}

ChartView::~ChartView() = default;

void ChartView::SetZoom(double zoom) {
    zoom_ = zoom;
    UpdateScrollRange();
    viewport()->update();
}

void ChartView::Relayout() {
    relayout_.stop();
    text_ = editor_.Text().toStdString();
    compile_->settings.notation = session_.compile.settings.notation;
    // A chart that names a style is read against the styles there are, as Play reads it.
    compile_->settings.style.library = session_.compile.settings.style.library;
    CompileResult result = Compile(*compile_, text_);
    if (result.outcome == CompileOutcome::Accepted || result.outcome == CompileOutcome::NothingToPlay) {
        mistake_.reset();
        const Instrument instrument = InstrumentOfChart(text_);
        if (instrument != instrument_) {
            instrument_ = instrument;
            emit instrumentChanged(instrument_);
        }
        positions_ = TextPositionMap(text_);
        layout_ = LayOutChart(compile_->score, text_, SpellingFor(compile_->score, instrument_));
    } else {
        // While a mistake is being typed the chart stays as it was last read, under the note of the mistake.
        mistakePositions_ = TextPositionMap(text_);
        mistake_ = std::move(result);
    }
    UpdateScrollRange();
    Describe();
    viewport()->update();
}

void ChartView::ForgetChart() {
    layout_ = ChartLayout{};
    positions_ = TextPositionMap{};
    mistake_.reset();
    UpdateScrollRange();
    viewport()->update();
}

bool ChartView::ShowMistake(ErrorPresenter& presenter) const {
    if (!mistake_) {
        return true;
    }
    ViewedText text(editor_, mistakePositions_);
    return ShowCompileResult(*mistake_, text, presenter);
}

QString ChartView::MistakeNote() const {
    if (!mistake_) {
        return {};
    }
    if (mistake_->outcome != CompileOutcome::LanguageError) {
        return tr("The chart cannot be read: %1").arg(QString::fromStdString(mistake_->fault));
    }
    const LanguageError& error = mistake_->error;
    return tr("The chart has a mistake in line %1: %2: `%3`")
        .arg(error.line)
        .arg(QString::fromStdString(error.message), QString::fromStdString(error.text));
}

int ChartView::MistakeNoteHeight() const {
    if (!mistake_) {
        return 0;
    }
    const int padding = fontMetrics().height() / 2;
    const int width = std::max(1, viewport()->width() - 2 * padding);
    return fontMetrics().boundingRect(0, 0, width, 0, Qt::TextWordWrap, MistakeNote()).height() + 2 * padding;
}

void ChartView::DrawMistakeNote(QPainter& painter, double top) const {
    const int padding = fontMetrics().height() / 2;
    const QRect note(0, static_cast<int>(top), viewport()->width(), MistakeNoteHeight());
    painter.fillRect(note, palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.setFont(font());
    painter.drawText(note.adjusted(padding, padding, -padding, -padding), Qt::TextWordWrap | Qt::AlignVCenter,
                     MistakeNote());
}

double ChartView::SheetTop(const ChartSheet& sheet) const {
    return MistakeNoteHeight() + kMargin * sheet.Unit();
}

ChartSheet ChartView::Sheet() const {
    const double width = viewport()->width();
    const double unit = ChartSheet::UnitForWidth(width, zoom_);
    return ChartSheet(layout_, std::max(1.0, width - 2 * kMargin * unit), unit);
}

void ChartView::UpdateScrollRange() {
    const ChartSheet sheet = Sheet();
    const double height = SheetTop(sheet) + sheet.HeadingHeight() +
                          sheet.RowHeight() * static_cast<double>(sheet.RowCount()) + kMargin * sheet.Unit();
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(static_cast<int>(sheet.RowHeight() / 2));
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(height) - viewport()->height()));
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ChartColours colours = ChartColours::FromPalette(palette());
    painter.fillRect(viewport()->rect(), colours.paper);
    const ChartSheet sheet = Sheet();
    const double margin = kMargin * sheet.Unit();
    const double top = SheetTop(sheet);
    const double scroll = verticalScrollBar()->value();
    if (mistake_) {
        DrawMistakeNote(painter, -scroll);
    }
    painter.translate(margin, top - scroll);
    // A chart that was never read shows its mistake alone.
    if (mistake_ && layout_.measures.empty()) {
        return;
    }
    sheet.DrawHeading(painter, QRectF(0, 0, sheet.Width(), sheet.HeadingHeight()),
                      QString::fromStdString(InstrumentTitle(instrument_)), colours);
    // Only the rows in sight are drawn, so a long chart costs no more than a short one.
    const double rowsTop = sheet.HeadingHeight();
    const double visibleTop = scroll - top - rowsTop;
    const auto first = static_cast<std::size_t>(std::max(0.0, visibleTop / sheet.RowHeight()));
    const auto last =
        static_cast<std::size_t>(std::max(0.0, (visibleTop + viewport()->height()) / sheet.RowHeight())) + 1;
    for (std::size_t row = first; row < std::min(last, sheet.RowCount()); ++row) {
        sheet.DrawRow(painter, row, rowsTop + sheet.RowHeight() * static_cast<double>(row), colours,
                      sounding_);
    }
}

std::optional<TextRange> ChartView::TextAtPoint(QPoint point) const {
    const ChartSheet sheet = Sheet();
    const double margin = kMargin * sheet.Unit();
    const double y = point.y() + verticalScrollBar()->value() - SheetTop(sheet) - sheet.HeadingHeight();
    if (y < 0) {
        return std::nullopt;
    }
    const auto row = static_cast<std::size_t>(y / sheet.RowHeight());
    return sheet.TextAt(row, point.x() - margin, y - sheet.RowHeight() * static_cast<double>(row));
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    QAbstractScrollArea::mousePressEvent(event);
    // While the chart plays the editor's selection is the playback's.
    if (event->button() != Qt::LeftButton || playing_) {
        return;
    }
    const std::optional<TextRange> text = TextAtPoint(event->pos());
    if (!text) {
        return;
    }
    const TextRange units = positions_.ToEditor(*text);
    QTextCursor cursor(editor_.document());
    const int last = editor_.document()->characterCount() - 1;
    cursor.setPosition(std::clamp(units.start, 0, last));
    cursor.setPosition(std::clamp(units.end, 0, last), QTextCursor::KeepAnchor);
    editor_.setTextCursor(cursor);
    editor_.ensureCursorVisible();
}

void ChartView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
        if (steps != 0) {
            emit zoomStepped(steps);
        }
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void ChartView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    Relayout();
}

void ChartView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        viewport()->update();
    }
}

void ChartView::FollowPlayback(bool playing) {
    playing_ = playing;
    if (!playing) {
        song_.reset();
        refresh_.stop();
    } else if (!song_) {
        song_.emplace(session_.compile.score);
        playedSpelling_ = SpellingFor(session_.compile.score, instrument_);
        refresh_.start();
    }
    RefreshSounding();
}

void ChartView::RefreshSounding() {
    std::optional<std::uint32_t> sounding;
    QString words;
    const std::optional<SongPlace> now = song_ ? place_(*song_) : std::nullopt;
    if (now) {
        const SongPlace& place = *now;
        const auto& order = session_.compile.score.playOrder;
        if (!place.countIn && place.measure >= 1 && static_cast<std::size_t>(place.measure) <= order.size()) {
            // The written measure is marked on every pass through it.
            sounding = order[static_cast<std::size_t>(place.measure - 1)].slot;
            const QString chord =
                place.chord != nullptr ? ChordWords(place.chord, playedSpelling_) : tr("no chord");
            words = SoundingWords(MeasureWords(place), chord, ChordWords(place.next, playedSpelling_));
        } else if (place.countIn) {
            words = tr("Count-in, beat %1").arg(place.beat);
        }
    }
    if (sounding != sounding_ && sounding && *sounding < layout_.measures.size()) {
        ScrollToMeasure(*sounding);
    }
    if (sounding != sounding_) {
        sounding_ = sounding;
        viewport()->update();
    }
    if (song_) {
        Announce(words);
    } else {
        Describe();
    }
}

void ChartView::Describe() {
    if (mistake_) {
        Announce(MistakeNote());
    } else if (!song_) {
        Announce(tr("%n measure(s), %1", nullptr, static_cast<int>(layout_.measures.size()))
                     .arg(QString::fromStdString(InstrumentTitle(instrument_))));
    }
}

void ChartView::Announce(const QString& words) {
    if (words != accessibleDescription()) {
        // Setting it tells screen readers of the change.
        setAccessibleDescription(words);
    }
}

void ChartView::ScrollToMeasure(std::uint32_t measure) {
    const ChartSheet sheet = Sheet();
    const double top = SheetTop(sheet) + sheet.HeadingHeight() +
                       sheet.RowHeight() * static_cast<double>(sheet.RowOf(measure));
    const int scroll = verticalScrollBar()->value();
    if (top < scroll || top + sheet.RowHeight() > scroll + viewport()->height()) {
        verticalScrollBar()->setValue(static_cast<int>(top - sheet.RowHeight()));
    }
}

}  // namespace kaz
