#include "app/dialogs/notation_dialog.h"

#include "app/settings.h"
#include "ui_notation_dialog.h"

namespace kaz {

NotationDialog::NotationDialog(QWidget* parent, NotationMode notation)
    : QDialog(parent), ui_(std::make_unique<Ui::NotationDialog>()), opened_(notation) {
    ui_->setupUi(this);
    ui_->englishButton->setChecked(notation == kEnglishNotation);
    ui_->germanButton->setChecked(notation == kGermanNotation);
    ui_->mixedButton->setChecked(notation == kMixedNotation);
}

NotationDialog::~NotationDialog() = default;

NotationMode NotationDialog::Notation() const {
    if (ui_->englishButton->isChecked()) {
        return kEnglishNotation;
    }
    if (ui_->germanButton->isChecked()) {
        return kGermanNotation;
    }
    if (ui_->mixedButton->isChecked()) {
        return kMixedNotation;
    }
    return opened_;
}

void EditNotation(QWidget* parent, NotationMode& notation) {
    NotationDialog dialog(parent, notation);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    notation = dialog.Notation();
    SaveNotation(notation);
}

}  // namespace kaz
