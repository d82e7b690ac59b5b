#include "app/dialogs/practice_loop_dialog.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <algorithm>
#include <array>

#include "app/player_settings.h"
#include "ui_practice_loop_dialog.h"

namespace kaz {

namespace {

//! The moves a loop makes each time round, in semitones, as the list offers them.
struct KeyMove {
    const char* words;
    int semitones;
};
constexpr std::array<KeyMove, 8> kKeyMoves{
    {{QT_TRANSLATE_NOOP("PracticeLoopDialog", "Stays the same"), 0},
     {QT_TRANSLATE_NOOP("PracticeLoopDialog", "Up a fourth"), 5},
     {QT_TRANSLATE_NOOP("PracticeLoopDialog", "Up a fifth"), 7},
     {QT_TRANSLATE_NOOP("PracticeLoopDialog", "Up a semitone"), 1},
     {QT_TRANSLATE_NOOP("PracticeLoopDialog", "Down a semitone"), -1},
     {QT_TRANSLATE_NOOP("PracticeLoopDialog", "Up a whole tone"), 2},
     {QT_TRANSLATE_NOOP("PracticeLoopDialog", "Down a whole tone"), -2},
     {QT_TRANSLATE_NOOP("PracticeLoopDialog", "Up a minor third"), 3}}};

}  // namespace

PracticeLoopDialog::PracticeLoopDialog(QWidget* parent, const PracticeTempo& tempo)
    : QDialog(parent), ui_(std::make_unique<Ui::PracticeLoopDialog>()) {
    ui_->setupUi(this);
    ui_->stepField->setRange(0, kMaxPracticeTempoStep);
    ui_->ceilingField->setRange(kMinTempo, kMaxTempo);
    ui_->stepField->setValue(tempo.step);
    ui_->ceilingField->setValue(tempo.ceiling);
    for (const KeyMove& move : kKeyMoves) {
        // In the context of the dialog's form, beside its other words.
        ui_->keyField->addItem(QCoreApplication::translate("PracticeLoopDialog", move.words), move.semitones);
    }
    ui_->keyField->setCurrentIndex(std::max(0, ui_->keyField->findData(tempo.keyStep)));
    // The field inside each spin box is what a screen reader lands on: it carries the spin box's name.
    for (QSpinBox* field : {ui_->stepField, ui_->ceilingField}) {
        field->findChild<QLineEdit*>()->setAccessibleName(field->accessibleName());
    }
}

PracticeLoopDialog::~PracticeLoopDialog() = default;

PracticeTempo PracticeLoopDialog::Tempo() const {
    return {ui_->stepField->value(), ui_->ceilingField->value(), ui_->keyField->currentData().toInt()};
}

void EditPracticeTempo(QWidget* parent, PracticeTempo& tempo) {
    PracticeLoopDialog dialog(parent, tempo);
    if (dialog.exec() == QDialog::Accepted) {
        tempo = dialog.Tempo();
        SavePracticeTempo(tempo);
    }
}

}  // namespace kaz
