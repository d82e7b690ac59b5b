#include "app/playback/tempo_field.h"

#include <QLineEdit>
#include <algorithm>

#include "midi/playback_engine.h"

namespace kaz {

namespace {

//! Digits enough for any tempo; the field takes nothing longer.
constexpr int kLongestTempoText = 9;

}  // namespace

TempoField::TempoField(QWidget* parent) : QAbstractSpinBox(parent), lastStepped_(kDefaultTempo) {
    setAlignment(Qt::AlignCenter);
    setAccelerated(true);
    lineEdit()->setText(QString::number(kDefaultTempo));
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit tempoTextChanged(); });
}

QString TempoField::Text() const {
    return lineEdit()->text();
}

void TempoField::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void TempoField::SetTypingReadOnly(bool readOnly) {
    lineEdit()->setReadOnly(readOnly);
}

int TempoField::StepBase() const {
    const std::int64_t typed = ParseTempoText(Text().toStdString());
    if (Text().isEmpty()) {
        return lastStepped_;
    }
    return static_cast<int>(std::clamp<std::int64_t>(typed, kMinTempo, kMaxTempo));
}

void TempoField::stepBy(int steps) {
    lastStepped_ = std::clamp(StepBase() + steps, kMinTempo, kMaxTempo);
    SetText(QString::number(lastStepped_));
}

QAbstractSpinBox::StepEnabled TempoField::stepEnabled() const {
    const int base = StepBase();
    StepEnabled enabled = StepNone;
    if (base < kMaxTempo) {
        enabled |= StepUpEnabled;
    }
    if (base > kMinTempo) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

QValidator::State TempoField::validate(QString& input, int&) const {
    const bool digits = std::all_of(input.begin(), input.end(), [](QChar c) { return c.isDigit(); });
    return digits && input.size() <= kLongestTempoText ? QValidator::Acceptable : QValidator::Invalid;
}

QSize TempoField::sizeHint() const {
    const QFontMetrics metrics(font());
    QSize size = QAbstractSpinBox::sizeHint();
    size.setWidth(metrics.horizontalAdvance(QStringLiteral("0000")) + size.height());
    return size;
}

void TempoField::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    emit focusLost();
}

}  // namespace kaz
