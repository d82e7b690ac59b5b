#include "app/dialogs/transpose_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

#include "ui_transpose_dialog.h"

namespace kaz {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Widget>
Widget* RowWidget(QObject* dialog, const char* name, int row) {
    return dialog->findChild<Widget*>(QString::fromLatin1(name) + QString::number(row));
}

}  // namespace

TransposeDialog::TransposeDialog(QWidget* parent, NoteNameTables& tables, const TransposeOffer& offer)
    : QDialog(parent), ui_(std::make_unique<Ui::TransposeDialog>()), model_(tables, offer) {
    ui_->setupUi(this);
    for (const std::string_view entry : TransposeDialogModel::kShiftEntries) {
        ui_->shiftList->addItem(Text(entry));
    }
    for (const std::string& key : model_.KeyEntries()) {
        ui_->keyList->addItem(Text(key));
    }
    ui_->byKeyBox->setEnabled(model_.SpellingChosen());
    if (!model_.SpellingChosen()) {
        ui_->byKeyBox->setToolTip(tr("The chart names its key, so it is spelled by key."));
    }
    for (int row = 0; row < kPitchClassCount; ++row) {
        rowLabels_[row] = RowWidget<QLabel>(this, "rowLabel", row);
        sharpButtons_[row] = RowWidget<QRadioButton>(this, "sharpButton", row);
        flatButtons_[row] = RowWidget<QRadioButton>(this, "flatButton", row);
        rowLabels_[row]->setText(Text(model_.Rows()[row].label));
        connect(sharpButtons_[row], &QRadioButton::clicked, this, [this, row] { ClickRow(row); });
        connect(flatButtons_[row], &QRadioButton::clicked, this, [this, row] { ClickRow(row); });
    }
    ReserveNameWidth();
    ShowSelection();
    connect(ui_->shiftList, &QComboBox::currentIndexChanged, this, &TransposeDialog::SelectShift);
    connect(ui_->keyList, &QComboBox::activated, this, &TransposeDialog::SelectKey);
    connect(ui_->byKeyBox, &QCheckBox::toggled, this, [this](bool byKey) {
        model_.SetSpellByKey(byKey);
        ShowSelection();
    });
    ui_->shiftList->setFocus();
}

TransposeDialog::~TransposeDialog() = default;

void TransposeDialog::SelectShift(int entry) {
    model_.SelectEntry(entry);
    ShowSelection();
}

void TransposeDialog::SelectKey(int entry) {
    model_.SelectKey(entry);
    ShowSelection();
}

// The shift list and the key list name the same choice, each in its own words.
void TransposeDialog::ShowSelection() {
    const QSignalBlocker shift(ui_->shiftList);
    const QSignalBlocker key(ui_->keyList);
    const QSignalBlocker byKey(ui_->byKeyBox);
    ui_->shiftList->setCurrentIndex(model_.SelectedEntry());
    ui_->keyList->setCurrentIndex(model_.SelectedEntry());
    ui_->byKeyBox->setChecked(model_.SpellByKey());
    ShowRows();
}

void TransposeDialog::ClickRow(int row) {
    model_.ClickRow(row);
    ShowChecks(row);
}

void TransposeDialog::ShowRows() {
    for (int row = 0; row < kPitchClassCount; ++row) {
        const TransposeDialogModel::Row& shown = model_.Rows()[row];
        const QString label = rowLabels_[row]->text();
        sharpButtons_[row]->setText(Text(shown.sharpButton));
        sharpButtons_[row]->setAccessibleName(tr("%1 to %2").arg(label, Text(shown.sharpButton)));
        flatButtons_[row]->setText(Text(shown.flatButton));
        flatButtons_[row]->setAccessibleName(tr("%1 to %2").arg(label, Text(shown.flatButton)));
        flatButtons_[row]->setVisible(shown.flatShown);
        // Spelled by key, the key chooses every name.
        sharpButtons_[row]->setEnabled(!model_.SpellByKey());
        flatButtons_[row]->setEnabled(!model_.SpellByKey());
        ShowChecks(row);
    }
}

// The buttons do not check themselves: a click on either one swaps the target's spelling, so the checks
// always come from the model.
void TransposeDialog::ShowChecks(int row) {
    const TransposeDialogModel::Row& shown = model_.Rows()[row];
    sharpButtons_[row]->setChecked(shown.sharpChecked);
    flatButtons_[row]->setChecked(shown.flatChecked);
}

// Every button is as wide as the widest name it can show, so the rows keep their places when the shift
// changes; ShowRows then gives the buttons their names.
void TransposeDialog::ReserveNameWidth() {
    const NoteNameTables names;
    QRadioButton* probe = sharpButtons_[0];
    int width = 0;
    for (int pitchClass = 0; pitchClass < kPitchClassCount; ++pitchClass) {
        for (const std::string_view name : {names.sharpNames[pitchClass], names.flatNames[pitchClass]}) {
            probe->setText(Text(name));
            width = std::max(width, probe->sizeHint().width());
        }
    }
    for (int row = 0; row < kPitchClassCount; ++row) {
        sharpButtons_[row]->setMinimumWidth(width);
        flatButtons_[row]->setMinimumWidth(width);
    }
}

std::optional<TransposeResult> ChooseTransposition(QWidget* parent, NoteNameTables& tables,
                                                   const TransposeOffer& offer) {
    TransposeDialog dialog(parent, tables, offer);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Result();
}

}  // namespace kaz
