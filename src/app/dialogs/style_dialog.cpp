#include "app/dialogs/style_dialog.h"

#include <QLineEdit>
#include <algorithm>
#include <limits>

#include "app/player_settings.h"
#include "ui_style_dialog.h"

namespace kaz {

namespace {

// The swing field's lowest value stands for the style's own swing.
constexpr int kOwnSwingField = kSwingEven - 1;

}  // namespace

StyleDialog::StyleDialog(QWidget* parent, const StyleSettings& style)
    : QDialog(parent), ui_(std::make_unique<Ui::StyleDialog>()) {
    ui_->setupUi(this);
    ui_->drumsVolumeField->setRange(0, kMostDrumsVolume);
    ui_->swingField->setRange(kOwnSwingField, kSwingHardest);
    ui_->feelField->setRange(0, kMostFeel);
    ui_->seedField->setRange(0, std::numeric_limits<int>::max());
    ui_->drumsVolumeField->setValue(style.drumsVolume);
    ui_->swingField->setValue(style.swing == kStyleSwing ? kOwnSwingField : style.swing);
    ui_->feelField->setValue(style.feel);
    ui_->seedField->setValue(
        static_cast<int>(std::min<std::uint64_t>(style.seed, std::numeric_limits<int>::max())));
    // The field inside each spin box is what a screen reader lands on: it carries the spin box's name.
    for (QSpinBox* field : {ui_->drumsVolumeField, ui_->swingField, ui_->feelField, ui_->seedField}) {
        field->findChild<QLineEdit*>()->setAccessibleName(field->accessibleName());
    }
}

StyleDialog::~StyleDialog() = default;

StyleSettings StyleDialog::Settings(StyleSettings style) const {
    style.drumsVolume = ui_->drumsVolumeField->value();
    style.swing = ui_->swingField->value() == kOwnSwingField ? kStyleSwing : ui_->swingField->value();
    style.feel = ui_->feelField->value();
    style.seed = static_cast<std::uint64_t>(ui_->seedField->value());
    return style;
}

void EditStyleSettings(QWidget* parent, StyleSettings& style) {
    StyleDialog dialog(parent, style);
    if (dialog.exec() == QDialog::Accepted) {
        style = dialog.Settings(style);
        SaveBandSettings(style);
    }
}

}  // namespace kaz
