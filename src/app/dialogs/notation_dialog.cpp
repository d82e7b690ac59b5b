#include "app/dialogs/notation_dialog.h"

#include "app/settings.h"
#include "ui_notation_dialog.h"

namespace kaz {

namespace {

//! The entries of the chart's list after "as set above", in order.
constexpr NotationMode kChartNotations[] = {kEnglishNotation, kGermanNotation, kMixedNotation};

}  // namespace

NotationDialog::NotationDialog(QWidget* parent, NotationMode notation, std::optional<NotationMode> chart)
    : QDialog(parent), ui_(std::make_unique<Ui::NotationDialog>()), opened_(notation) {
    ui_->setupUi(this);
    ui_->englishButton->setChecked(notation == kEnglishNotation);
    ui_->germanButton->setChecked(notation == kGermanNotation);
    ui_->mixedButton->setChecked(notation == kMixedNotation);
    ui_->chartList->addItems(
        {tr("As set above"), tr("English (B/Bb)"), tr("German (H/B)"), tr("mixed (H/Bb)")});
    for (int i = 0; i < static_cast<int>(std::size(kChartNotations)); ++i) {
        if (chart == kChartNotations[i]) {
            ui_->chartList->setCurrentIndex(i + 1);
        }
    }
    ui_->chartList->setToolTip(
        tr("Kept in the chart itself, as its last line: it is read so under every setting."));
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

std::optional<NotationMode> NotationDialog::ChartNotation() const {
    const int entry = ui_->chartList->currentIndex();
    if (entry < 1) {
        return std::nullopt;
    }
    return kChartNotations[entry - 1];
}

void NotationDialog::AskAsQuestion() {
    setWindowTitle(tr("Note names"));
    ui_->questionLabel->setText(
        tr("Which note names do you read? German musicians write H for B natural and B for B flat. Kaz "
           "reads charts with the names you choose here unless a chart says otherwise; Settings \u2192 "
           "B/Bb/H changes it later."));
    ui_->questionLabel->setVisible(true);
    ui_->chartLabel->setVisible(false);
    ui_->chartList->setVisible(false);
}

bool EditNotation(QWidget* parent, NotationMode& notation, std::optional<NotationMode>& chart) {
    NotationDialog dialog(parent, notation, chart);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    notation = dialog.Notation();
    chart = dialog.ChartNotation();
    SaveNotation(notation);
    return true;
}

bool AskForNotationAtStart(const QLocale& locale, bool notationStored) {
    if (notationStored) {
        return false;
    }
    const QLocale::Territory territory = locale.territory();
    return locale.language() == QLocale::German || territory == QLocale::Germany ||
           territory == QLocale::Austria || territory == QLocale::Switzerland;
}

}  // namespace kaz
