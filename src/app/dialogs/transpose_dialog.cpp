#include "app/dialogs/transpose_dialog.h"

#include <QLabel>
#include <QRadioButton>
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

TransposeDialog::TransposeDialog(QWidget* parent, NoteNameTables& tables, NotationMode resolved)
    : QDialog(parent), ui_(std::make_unique<Ui::TransposeDialog>()), model_(tables, resolved) {
    ui_->setupUi(this);
    for (const std::string_view entry : TransposeDialogModel::kShiftEntries) {
        ui_->shiftList->addItem(Text(entry));
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
    ui_->shiftList->setCurrentIndex(model_.SelectedEntry());
    ShowRows();
    connect(ui_->shiftList, &QComboBox::currentIndexChanged, this, &TransposeDialog::SelectShift);
    ui_->shiftList->setFocus();
}

TransposeDialog::~TransposeDialog() = default;

void TransposeDialog::SelectShift(int entry) {
    model_.SelectEntry(entry);
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
                                                   NotationMode resolved) {
    TransposeDialog dialog(parent, tables, resolved);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Result();
}

}  // namespace kaz
