#include "app/editor/measure_number_area.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>

namespace kaz {

namespace {

//! Played numbers shown after the written one; more are cut short.
constexpr std::size_t kShownPasses = 3;
constexpr int kMargin = 4;

QString PlayedText(const std::vector<int>& played) {
    if (played.empty()) {
        return QStringLiteral("\u2013");
    }
    QStringList numbers;
    for (std::size_t i = 0; i < std::min(played.size(), kShownPasses); ++i) {
        numbers << QString::number(played[i]);
    }
    if (played.size() > kShownPasses) {
        numbers << QStringLiteral("\u2026");
    }
    return numbers.join(QLatin1Char(','));
}

QString PlayedWords(const LineMeasureNumber& number) {
    if (number.played.empty()) {
        return MeasureNumberArea::tr("Measure %1, not played").arg(number.written);
    }
    QStringList numbers;
    for (int played : number.played) {
        numbers << QString::number(played);
    }
    return MeasureNumberArea::tr("Measure %1, played as measure %2", nullptr,
                                 static_cast<int>(numbers.size()))
        .arg(number.written)
        .arg(numbers.join(QStringLiteral(", ")));
}

}  // namespace

MeasureNumberArea::MeasureNumberArea(QPlainTextEdit& editor)
    : QWidget(&editor), editor_(editor), blockCount_(editor.document()->blockCount()) {
    setAccessibleName(tr("Measure numbers"));
    connect(editor.document(), &QTextDocument::contentsChange, this, &MeasureNumberArea::OnContentsChange);
}

void MeasureNumberArea::SetNumbers(const std::vector<LineMeasureNumber>& numbers,
                                   const TextPositionMap& positions) {
    QTextDocument& document = *editor_.document();
    labels_.assign(static_cast<std::size_t>(document.blockCount()), {});
    const int last = document.characterCount() - 1;
    for (const LineMeasureNumber& number : numbers) {
        const int position =
            std::clamp(positions.ToEditor({number.textStart, number.textStart}).start, 0, last);
        const auto block = static_cast<std::size_t>(document.findBlock(position).blockNumber());
        Label& label = labels_[block];
        label.written = QString::number(number.written);
        if (number.played != std::vector<int>{number.written}) {
            label.played = PlayedText(number.played);
            label.toolTip = PlayedWords(number);
        }
    }
    blockCount_ = document.blockCount();
    UpdateWidth();
    update();
}

void MeasureNumberArea::UpdateWidth() {
    const QFontMetrics metrics = editor_.fontMetrics();
    int playedWidth = 0;
    writtenWidth_ = 0;
    for (const Label& label : labels_) {
        writtenWidth_ = std::max(writtenWidth_, metrics.horizontalAdvance(label.written));
        playedWidth = std::max(playedWidth, metrics.horizontalAdvance(label.played));
    }
    const int gap = playedWidth == 0 ? 0 : metrics.horizontalAdvance(QLatin1Char(' ')) * 2;
    const int needed = writtenWidth_ == 0 ? 0 : writtenWidth_ + gap + playedWidth + 2 * kMargin;
    if (needed != width_) {
        width_ = needed;
        emit widthChanged();
    }
}

void MeasureNumberArea::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The editor's font, which the numbers are drawn in, changed with it: a zoom.
    if (event->type() == QEvent::FontChange) {
        UpdateWidth();
    }
}

int MeasureNumberArea::WidthNeeded() const {
    return width_;
}

void MeasureNumberArea::OnContentsChange(int position) {
    const QTextDocument& document = *editor_.document();
    const int added = document.blockCount() - blockCount_;
    blockCount_ = document.blockCount();
    if (added == 0 || labels_.empty()) {
        return;
    }
    // Lines typed in push the numbers below the change down; lines taken away, joined to the line of the
    // change, pull them up.
    const auto after = std::min<std::size_t>(
        static_cast<std::size_t>(document.findBlock(position).blockNumber()) + 1, labels_.size());
    const auto at = labels_.begin() + static_cast<std::ptrdiff_t>(after);
    if (added > 0) {
        labels_.insert(at, static_cast<std::size_t>(added), Label{});
    } else {
        labels_.erase(at, at + std::min<std::ptrdiff_t>(-added, labels_.end() - at));
    }
    update();
}

QString MeasureNumberArea::NumberOfLine(int blockNumber) const {
    const Label* label = LabelOfBlock(blockNumber);
    if (label == nullptr) {
        return {};
    }
    return label->played.isEmpty() ? label->written : label->written + QLatin1Char(' ') + label->played;
}

const MeasureNumberArea::Label* MeasureNumberArea::LabelOfBlock(int blockNumber) const {
    if (blockNumber < 0 || static_cast<std::size_t>(blockNumber) >= labels_.size()) {
        return nullptr;
    }
    const Label& label = labels_[static_cast<std::size_t>(blockNumber)];
    return label.written.isEmpty() ? nullptr : &label;
}

void MeasureNumberArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setFont(editor_.font());
    const QColor writtenColour = palette().color(QPalette::PlaceholderText);
    const QColor playedColour = palette().color(QPalette::Link);
    const int viewportTop = editor_.viewport()->y() - y();
    for (QTextBlock block = editor_.cursorForPosition(QPoint(0, 0)).block(); block.isValid();
         block = block.next()) {
        const QRect line = editor_.cursorRect(QTextCursor(block));
        const int top = line.top() + viewportTop;
        if (top > event->rect().bottom()) {
            break;
        }
        const Label* label = LabelOfBlock(block.blockNumber());
        if (label == nullptr || !block.isVisible()) {
            continue;
        }
        // The written numbers right-aligned in a column of their own, the played ones after them.
        const QRect written(kMargin, top, writtenWidth_, line.height());
        painter.setPen(writtenColour);
        painter.drawText(written, Qt::AlignRight | Qt::AlignVCenter, label->written);
        if (!label->played.isEmpty()) {
            painter.setPen(playedColour);
            painter.drawText(QRect(written.right(), top, width() - written.right() - kMargin, line.height()),
                             Qt::AlignRight | Qt::AlignVCenter, label->played);
        }
    }
}

bool MeasureNumberArea::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPoint inViewport(0, help->pos().y() + y() - editor_.viewport()->y());
    const Label* label = LabelOfBlock(editor_.cursorForPosition(inViewport).blockNumber());
    if (label != nullptr && !label->toolTip.isEmpty()) {
        QToolTip::showText(help->globalPos(), label->toolTip, this);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

}  // namespace kaz
