#include "app/dialogs/practice_loop_dialog.h"

#include <QLineEdit>

#include "app/player_settings.h"
#include "ui_practice_loop_dialog.h"

namespace kaz {

PracticeLoopDialog::PracticeLoopDialog(QWidget* parent, const PracticeTempo& tempo)
    : QDialog(parent), ui_(std::make_unique<Ui::PracticeLoopDialog>()) {
    ui_->setupUi(this);
    ui_->stepField->setRange(0, kMaxPracticeTempoStep);
    ui_->ceilingField->setRange(kMinTempo, kMaxTempo);
    ui_->stepField->setValue(tempo.step);
    ui_->ceilingField->setValue(tempo.ceiling);
    // The field inside each spin box is what a screen reader lands on: it carries the spin box's name.
    for (QSpinBox* field : {ui_->stepField, ui_->ceilingField}) {
        field->findChild<QLineEdit*>()->setAccessibleName(field->accessibleName());
    }
}

PracticeLoopDialog::~PracticeLoopDialog() = default;

PracticeTempo PracticeLoopDialog::Tempo() const {
    return {ui_->stepField->value(), ui_->ceilingField->value()};
}

void EditPracticeTempo(QWidget* parent, PracticeTempo& tempo) {
    PracticeLoopDialog dialog(parent, tempo);
    if (dialog.exec() == QDialog::Accepted) {
        tempo = dialog.Tempo();
        SavePracticeTempo(tempo);
    }
}

}  // namespace kaz
