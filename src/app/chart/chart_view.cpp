#include "app/chart/chart_view.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/chart/chart_panel.h"
#include "app/comment_line_edit.h"
#include "app/core_messages.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"
#include "app/sounding_words.h"
#include "app/user_prompts.h"
#include "chart/capo.h"

namespace kaz {

namespace {

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

ChartView::ChartView(ChartCompiler& compiler, ChartEditor& editor, PlaybackWatch watch, QWidget* parent)
    : QAbstractScrollArea(parent), compiler_(compiler), editor_(editor), watch_(std::move(watch)) {
    setAccessibleName(tr("Chart view"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setMinimumSize(240, 160);
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &ChartView::RefreshSounding);
    connect(&compiler_, &ChartCompiler::compiled, this, [this] {
        // A hidden view is laid out when it shows: a long chart costs the typing nothing meanwhile.
        if (isVisible()) {
            Take(compiler_.Latest());
        }
    });
}

ChartView::~ChartView() = default;

void ChartView::SetZoom(double zoom) {
    zoom_ = zoom;
    UpdateScrollRange();
    viewport()->update();
}

void ChartView::Relayout() {
    Take(compiler_.Current());
}

void ChartView::Take(const std::shared_ptr<const ChartCompile>& compile) {
    // A compile that was on its way when another chart came belongs to the chart before, unless the texts
    // are the same.
    if (forgottenAt_ && compile->editorRevision <= *forgottenAt_ &&
        compile->chart->text != editor_.BytesToCompile()) {
        return;
    }
    const CompileOutcome outcome = compile->chart->result.outcome;
    if (outcome == CompileOutcome::LanguageError || outcome == CompileOutcome::Fault) {
        // While a mistake is being typed the chart stays as it was last read, under the note of the mistake.
        mistake_ = compile;
    } else if (compile != shown_) {
        mistake_.reset();
        const CompiledChart& chart = *compile->chart;
        const Instrument instrument =
            setKey_ ? Instrument{Instrument::Kind::Key, *setKey_} : InstrumentOfChart(chart.text);
        if (instrument != part_.instrument) {
            part_.instrument = instrument;
            emit instrumentChanged(part_.instrument);
        }
        const int capo = CapoOfChart(chart.text);
        if (capo != part_.capo) {
            part_.capo = capo;
            emit capoChanged(part_.capo);
        }
        shown_ = compile;
        layout_ = LayOutChart(chart.score, chart.text, SpellingFor(chart.score, part_));
        ReadDiagrams(diagrams_.Kind(), chart.text);
    } else {
        mistake_.reset();
    }
    UpdateScrollRange();
    Describe();
    viewport()->update();
}

void ChartView::SetNumbers(ChordNumbers numbers) {
    if (numbers == part_.numbers) {
        return;
    }
    part_.numbers = numbers;
    if (shown_ != nullptr) {
        const CompiledChart& chart = *shown_->chart;
        layout_ = LayOutChart(chart.score, chart.text, SpellingFor(chart.score, part_));
        played_.reset();
        viewport()->update();
    }
}

void ChartView::SetSetKey(std::optional<int> keyTonic) {
    if (keyTonic == setKey_) {
        return;
    }
    setKey_ = keyTonic;
    // Read again with the key: the chart shown is laid out anew.
    shown_.reset();
    Relayout();
}

void ChartView::ReadDiagrams(DiagramKind kind, std::string_view text) {
    const FrettedInstrument* fretted = FrettedInstrumentOf(kind);
    diagrams_ =
        ChordDiagramBook(kind, fretted != nullptr ? ShapeChoicesOfChart(text, *fretted) : ShapeChoices());
}

void ChartView::SetDiagramKind(DiagramKind kind) {
    if (kind == diagrams_.Kind()) {
        return;
    }
    ReadDiagrams(kind, shown_ != nullptr ? std::string_view(shown_->chart->text) : std::string_view());
    UpdateScrollRange();
    viewport()->update();
}

void ChartView::ForgetChart() {
    forgottenAt_ = editor_.Revision();
    shown_.reset();
    mistake_.reset();
    layout_ = ChartLayout{};
    UpdateScrollRange();
    viewport()->update();
}

bool ChartView::ShowMistake(UserPrompts& prompts) const {
    return mistake_ == nullptr || !ShowCompileMistake(*mistake_, editor_, prompts);
}

QString ChartView::MistakeNote() const {
    if (mistake_ == nullptr) {
        return {};
    }
    const CompileResult& result = mistake_->chart->result;
    if (result.outcome != CompileOutcome::LanguageError) {
        return tr("The chart cannot be read: %1").arg(QString::fromStdString(result.fault));
    }
    const LanguageError& error = result.error;
    return tr("The chart has a mistake in line %1: %2: `%3`")
        .arg(error.line)
        .arg(Said(error.said), QString::fromStdString(error.text));
}

int ChartView::MistakeNoteHeight() const {
    if (mistake_ == nullptr) {
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
    return ChartSheet(layout_, std::max(1.0, width - 2 * kMargin * unit), unit, &diagrams_);
}

void ChartView::UpdateScrollRange() {
    const ChartSheet sheet = Sheet();
    const double height =
        SheetTop(sheet) + sheet.HeadingHeight() + sheet.RowTop(sheet.RowCount()) + kMargin * sheet.Unit();
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
    if (mistake_ != nullptr) {
        DrawMistakeNote(painter, -scroll);
    }
    painter.translate(margin, top - scroll);
    // A chart that was never read shows its mistake alone.
    if (mistake_ != nullptr && layout_.measures.empty()) {
        return;
    }
    sheet.DrawHeading(painter, QRectF(0, 0, sheet.Width(), sheet.HeadingHeight()), PartHeading(part_),
                      colours);
    // Only the rows in sight are drawn, so a long chart costs no more than a short one.
    const double rowsTop = sheet.HeadingHeight();
    const double visibleTop = scroll - top - rowsTop;
    const std::size_t first = sheet.RowAt(visibleTop);
    const std::size_t last = sheet.RowAt(visibleTop + viewport()->height()) + 1;
    for (std::size_t row = first; row < std::min(last, sheet.RowCount()); ++row) {
        sheet.DrawRow(painter, row, rowsTop + sheet.RowTop(row), colours, sounding_);
    }
}

std::optional<ChartView::RowPoint> ChartView::PointInRow(const ChartSheet& sheet, QPoint point) const {
    const double margin = kMargin * sheet.Unit();
    const double y = point.y() + verticalScrollBar()->value() - SheetTop(sheet) - sheet.HeadingHeight();
    if (y < 0) {
        return std::nullopt;
    }
    const std::size_t row = sheet.RowAt(y);
    return RowPoint{row, point.x() - margin, y - sheet.RowTop(row)};
}

std::optional<TextRange> ChartView::TextAtPoint(QPoint point) const {
    const ChartSheet sheet = Sheet();
    const std::optional<RowPoint> at = PointInRow(sheet, point);
    return at ? sheet.TextAt(at->row, at->x, at->y) : std::nullopt;
}

std::optional<std::uint32_t> ChartView::DiagramAtPoint(QPoint point) const {
    const ChartSheet sheet = Sheet();
    const std::optional<RowPoint> at = PointInRow(sheet, point);
    return at ? sheet.DiagramAt(at->row, at->x, at->y) : std::nullopt;
}

void ChartView::ChooseShape(std::uint32_t chord, const std::optional<FrettedShape>& shape) {
    const FrettedInstrument* fretted = diagrams_.Instrument();
    if (fretted == nullptr || editor_.isReadOnly() || chord >= layout_.chords.size()) {
        return;
    }
    const std::string text = editor_.Text().toStdString();
    ApplyToEditor(editor_, text, ShapeChoiceChange(text, *fretted, layout_.chords[chord].name, shape));
    Relayout();
}

void ChartView::contextMenuEvent(QContextMenuEvent* event) {
    const std::optional<std::uint32_t> chord = DiagramAtPoint(event->pos());
    const FrettedInstrument* fretted = diagrams_.Instrument();
    if (!chord || fretted == nullptr) {
        QAbstractScrollArea::contextMenuEvent(event);
        return;
    }
    const ChartChord& shown = layout_.chords[*chord];
    const FrettedShape* drawn = diagrams_.ShapeOf(shown.tones, shown.name);
    QMenu menu(this);
    menu.addSection(tr("Shape for %1").arg(QString::fromStdString(shown.symbol.Text())));
    auto* shapes = new QActionGroup(&menu);
    for (const FrettedShape& shape : ShapesFor(shown.tones, *fretted)) {
        QAction* choice = menu.addAction(QString::fromStdString(shape.Code()));
        choice->setCheckable(true);
        choice->setChecked(drawn != nullptr && *drawn == shape);
        shapes->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, chord, shape] { ChooseShape(*chord, shape); });
    }
    menu.addSeparator();
    QAction* forget = menu.addAction(tr("Let Kaz Choose"));
    connect(forget, &QAction::triggered, this, [this, chord] { ChooseShape(*chord, std::nullopt); });
    menu.setEnabled(!editor_.isReadOnly());
    menu.exec(event->globalPos());
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    QAbstractScrollArea::mousePressEvent(event);
    // While the chart plays the editor's selection is the playback's.
    if (event->button() != Qt::LeftButton || playing_) {
        return;
    }
    const std::optional<TextRange> text = TextAtPoint(event->pos());
    if (!text || shown_ == nullptr) {
        return;
    }
    editor_.setTextCursor(editor_.CursorAt(shown_->positions, *text, shown_->editorRevision));
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
        played_.reset();
        refresh_.stop();
    } else {
        refresh_.start();
    }
    RefreshSounding();
}

void ChartView::RefreshSounding() {
    std::optional<std::uint32_t> sounding;
    QString words;
    const std::optional<PlayingPlace> now = playing_ ? watch_() : std::nullopt;
    if (now && now->chart != played_) {
        // Another compile of the chart took over while it plays.
        played_ = now->chart;
        playedSpelling_ = SpellingFor(played_->score, part_);
    }
    if (now) {
        const SongPlace& place = now->place;
        const auto& order = played_->score.playOrder;
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
    if (played_ != nullptr) {
        Announce(words);
    } else {
        Describe();
    }
}

void ChartView::Describe() {
    if (mistake_ != nullptr) {
        Announce(MistakeNote());
    } else if (played_ == nullptr) {
        Announce(tr("%n measure(s), %1", nullptr, static_cast<int>(layout_.measures.size()))
                     .arg(PartHeading(part_)));
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
    const std::size_t row = sheet.RowOf(measure);
    const double top = SheetTop(sheet) + sheet.HeadingHeight() + sheet.RowTop(row);
    const int scroll = verticalScrollBar()->value();
    if (top < scroll || top + sheet.RowSpan(row) > scroll + viewport()->height()) {
        verticalScrollBar()->setValue(static_cast<int>(top - sheet.RowHeight()));
    }
}

}  // namespace kaz
