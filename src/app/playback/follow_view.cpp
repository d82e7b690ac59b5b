#include "app/playback/follow_view.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "app/sounding_words.h"
#include "chart/capo.h"

namespace kaz {

namespace {

//! A few refreshes a second: the beat shows on time to the eye, and the playback's tick stays free.
constexpr int kRefreshMs = 50;
//! More beats than this in a measure show as a number only.
constexpr int kMostBeatDots = 16;

//! The chord as the guitarist fingers it under capoShapes; "–" for none.
QString ChordText(const Chord* chord, const ChartSpelling& capoShapes) {
    if (chord == nullptr) {
        return QStringLiteral("\u2013");
    }
    if (capoShapes.moved) {
        const ChartChord shown = ShowChord(*chord, capoShapes);
        if (shown.kind == ChartChord::Kind::Chord) {
            return QString::fromStdString(shown.symbol.Text());
        }
    }
    const std::string name = ChordName(*chord);
    return name.empty() ? QStringLiteral("\u2013") : QString::fromStdString(name);
}

}  // namespace

FollowView::FollowView(PlaybackWatch watch, QWidget* parent) : QWidget(parent), watch_(std::move(watch)) {
    setAccessibleName(tr("Follow view"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setMinimumSize(160, 120);
    setFocusPolicy(Qt::TabFocus);
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &FollowView::Refresh);
}

QSize FollowView::sizeHint() const {
    return {320, 360};
}

void FollowView::FollowPlayback(bool playing) {
    playing_ = playing;
    if (!playing) {
        styles_.reset();
        played_.reset();
        layout_ = {};
    }
    if (playing_ && isVisible()) {
        refresh_.start();
    } else {
        refresh_.stop();
    }
    Refresh();
}

void FollowView::Refresh() {
    const std::optional<PlayingPlace> now = playing_ && isVisible() ? watch_() : std::nullopt;
    if (now && now->chart != played_) {
        // The chart that plays, or another compile of it that took over: the styles are its own.
        played_ = now->chart;
        styles_.emplace(played_->score, played_->settings.style);
        capoShapes_ = SpellingFor(played_->score, ChartPart{Instrument{}, CapoOfChart(played_->text)});
        layout_ = LayOutChart(played_->score, played_->text);
    }
    Show(now ? Describe(now->place) : Shown{});
}

FollowView::Shown FollowView::Describe(const SongPlace& place) const {
    Shown shown;
    shown.beat = place.beat;
    shown.beats = place.beats;
    const QString next = place.next != nullptr ? ChordText(place.next, capoShapes_) : QString();
    if (place.countIn) {
        shown.chord = QString::number(place.beat);
        shown.measure = tr("Count-in");
        shown.spoken = tr("Count-in, beat %1").arg(place.beat);
    } else {
        shown.chord = ChordText(place.chord, capoShapes_);
        shown.measure = place.intro ? tr("Intro") : MeasureWords(place);
        shown.spoken = SoundingWords(shown.measure, shown.chord, next);
        const std::string_view style = styles_->NameAt(static_cast<std::uint32_t>(place.writtenMeasure - 1));
        shown.style = QString::fromUtf8(style.data(), static_cast<qsizetype>(style.size()));
        shown.words = QString::fromStdString(
            SungLine(layout_, static_cast<std::uint32_t>(place.writtenMeasure - 1), place.pass));
    }
    if (!next.isEmpty()) {
        shown.next = tr("Next: %1").arg(next);
    }
    return shown;
}

void FollowView::Show(const Shown& shown) {
    if (shown == shown_) {
        return;
    }
    shown_ = shown;
    update();
    // Screen readers hear the measure and the chords as they change, not every beat.
    if (shown.spoken != accessibleDescription()) {
        // Setting it tells screen readers of the change.
        setAccessibleDescription(shown.spoken);
    }
}

void FollowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FollowPlayback(playing_);
}

void FollowView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    refresh_.stop();
}

void FollowView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void FollowView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void FollowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area =
        QRectF(rect()).adjusted(width() * 0.04, height() * 0.03, -width() * 0.04, -height() * 0.03);
    const double h = area.height();
    if (shown_.measure.isEmpty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         tr("The chord that sounds shows here during playback."));
        return;
    }
    painter.setPen(palette().color(QPalette::Text));
    const QString place = shown_.beats > kMostBeatDots
                              ? tr("%1 · Beat %2").arg(shown_.measure).arg(shown_.beat)
                              : shown_.measure;
    DrawFitted(painter, {area.left(), area.top(), area.width(), h * 0.12}, place, QFont::DemiBold);
    DrawFitted(painter, {area.left(), area.top() + h * 0.12, area.width(), h * 0.08}, shown_.style,
               QFont::Normal);
    // The sung line takes the foot of the panel; the chord gives it room.
    const double sung = shown_.words.isEmpty() ? 0.0 : 0.22;
    DrawFitted(painter, {area.left(), area.top() + h * 0.21, area.width(), h * (0.41 - sung * 0.5)},
               shown_.chord, QFont::Bold);
    DrawBeats(painter, {area.left(), area.top() + h * (0.64 - sung * 0.5), area.width(), h * 0.1});
    DrawFitted(painter,
               {area.left(), area.top() + h * (0.78 - sung * 0.5), area.width(), h * (0.2 - sung * 0.5)},
               shown_.next, QFont::Normal);
    DrawWords(painter, {area.left(), area.bottom() - h * sung, area.width(), h * sung});
}

void FollowView::DrawWords(QPainter& painter, const QRectF& area) const {
    if (shown_.words.isEmpty()) {
        return;
    }
    QFont font = painter.font();
    font.setWeight(QFont::Normal);
    font.setItalic(true);
    // Two lines fit; a line too long for them is made smaller until it does.
    font.setPixelSize(std::max(1, static_cast<int>(area.height() * 0.38)));
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    while (font.pixelSize() > 8 &&
           QFontMetricsF(font).boundingRect(area, flags, shown_.words).height() > area.height()) {
        font.setPixelSize(font.pixelSize() * 9 / 10);
    }
    painter.setFont(font);
    painter.drawText(area, flags, shown_.words);
}

void FollowView::DrawFitted(QPainter& painter, const QRectF& area, const QString& text, int weight) const {
    if (text.isEmpty() || area.height() < 1) {
        return;
    }
    QFont font = painter.font();
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setPixelSize(std::max(1, static_cast<int>(area.height() * 0.8)));
    // A little room at the sides, so that a wide chord does not touch the edges.
    const double room = area.width() * 0.94;
    const double wide = QFontMetricsF(font).horizontalAdvance(text);
    if (wide > room) {
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * room / wide)));
    }
    painter.setFont(font);
    painter.drawText(area, Qt::AlignCenter, text);
}

void FollowView::DrawBeats(QPainter& painter, const QRectF& area) const {
    if (shown_.beats < 1 || shown_.beats > kMostBeatDots) {
        return;
    }
    // A dot for each beat, filled up to the one that sounds.
    const double pitch = std::min(area.height() * 1.4, area.width() / shown_.beats);
    const double radius = std::min(area.height(), pitch) * 0.38;
    const double left = area.center().x() - pitch * shown_.beats / 2.0;
    const QColor ink = palette().color(QPalette::Text);
    painter.setPen(QPen(ink, std::max(1.0, radius * 0.25)));
    for (int beat = 1; beat <= shown_.beats; ++beat) {
        painter.setBrush(beat <= shown_.beat ? QBrush(ink) : Qt::NoBrush);
        painter.drawEllipse(QPointF(left + pitch * (beat - 0.5), area.center().y()), radius, radius);
    }
}

}  // namespace kaz
