#pragma once

#include <QAbstractSpinBox>

namespace kaz {

//! The tempo field with its spin control: a field of digits whose text the playback reads as it changes,
//! and arrows (or the Up and Down keys) that step the number in it within 20..300. While a song plays the
//! field takes no typing, but the arrows still step the tempo.
class TempoField final : public QAbstractSpinBox {
    Q_OBJECT

  public:
    explicit TempoField(QWidget* parent = nullptr);

    [[nodiscard]] QString Text() const;
    //! Replace the text; the change is announced like typing.
    void SetText(const QString& text);
    //! Stop or allow typing; stepping stays possible.
    void SetTypingReadOnly(bool readOnly);

    void stepBy(int steps) override;
    [[nodiscard]] QValidator::State validate(QString& input, int& pos) const override;
    [[nodiscard]] QSize sizeHint() const override;

  signals:
    //! The text changed, typed or stepped.
    void tempoTextChanged();
    //! The field lost the keyboard focus.
    void focusLost();

  protected:
    [[nodiscard]] StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    //! The number the arrows step from: the field's number, or the last one they wrote when it has none.
    [[nodiscard]] int StepBase() const;

    int lastStepped_;
};

}  // namespace kaz
