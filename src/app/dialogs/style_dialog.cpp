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

StyleDialog::StyleDialog(QWidget* parent, const RenderSettings& settings)
    : QDialog(parent), ui_(std::make_unique<Ui::StyleDialog>()) {
    const StyleSettings& style = settings.style;
    ui_->setupUi(this);
    ui_->drumsVolumeField->setRange(0, kMostDrumsVolume);
    ui_->swingField->setRange(kOwnSwingField, kSwingHardest);
    ui_->feelField->setRange(0, kMostFeel);
    ui_->seedField->setRange(0, std::numeric_limits<int>::max());
    ui_->drumsVolumeField->setValue(settings.parts.Volume("drums"));
    ui_->swingField->setValue(style.swing == kStyleSwing ? kOwnSwingField : style.swing);
    ui_->feelField->setValue(style.feel);
    ui_->seedField->setValue(
        static_cast<int>(std::min<std::uint64_t>(style.seed, std::numeric_limits<int>::max())));
    // The list holds the intros in their order.
    ui_->introField->setCurrentIndex(static_cast<int>(style.intro));
    // The field inside each spin box is what a screen reader lands on: it carries the spin box's name.
    for (QSpinBox* field : {ui_->drumsVolumeField, ui_->swingField, ui_->feelField, ui_->seedField}) {
        field->findChild<QLineEdit*>()->setAccessibleName(field->accessibleName());
    }
}

StyleDialog::~StyleDialog() = default;

RenderSettings StyleDialog::Settings(RenderSettings settings) const {
    StyleSettings& style = settings.style;
    if (ui_->drumsVolumeField->value() != settings.parts.Volume("drums")) {
        settings.parts["drums"].volume = static_cast<std::uint8_t>(ui_->drumsVolumeField->value());
    }
    style.swing = ui_->swingField->value() == kOwnSwingField ? kStyleSwing : ui_->swingField->value();
    style.feel = ui_->feelField->value();
    style.seed = static_cast<std::uint64_t>(ui_->seedField->value());
    style.intro = static_cast<Intro>(ui_->introField->currentIndex());
    return settings;
}

void EditStyleSettings(QWidget* parent, RenderSettings& settings) {
    StyleDialog dialog(parent, settings);
    if (dialog.exec() == QDialog::Accepted) {
        settings = dialog.Settings(settings);
        SaveBandSettings(settings);
    }
}

}  // namespace kaz
