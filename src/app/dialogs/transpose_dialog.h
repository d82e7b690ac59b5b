#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "harmony/transposition.h"

class QLabel;
class QRadioButton;

namespace Ui {
class TransposeDialog;
}

namespace kaz {

//! The Transpose dialog: the shift list, the key it moves the chart to and whether to spell by that key,
//! and, for every source pitch class, the target's sharp and flat name as two buttons. It shows a
//! TransposeDialogModel and forwards the user's choices to it.
class TransposeDialog : public QDialog {
    Q_OBJECT

  public:
    //! Opens on the chart offer describes, with no shift selected and the list focused.
    TransposeDialog(QWidget* parent, NoteNameTables& tables, const TransposeOffer& offer);
    ~TransposeDialog() override;

    //! The shift and the names OK hands back.
    [[nodiscard]] TransposeResult Result() const { return model_.Accept(); }

  private:
    void SelectShift(int entry);
    void SelectKey(int entry);
    void ShowSelection();
    void ClickRow(int row);
    void ShowRows();
    void ShowChecks(int row);
    void ReserveNameWidth();

    std::unique_ptr<Ui::TransposeDialog> ui_;
    TransposeDialogModel model_;
    std::array<QLabel*, kPitchClassCount> rowLabels_{};
    std::array<QRadioButton*, kPitchClassCount> sharpButtons_{};
    std::array<QRadioButton*, kPitchClassCount> flatButtons_{};
};

//! Ask for a transposition over parent. The spelling buttons change the choices of tables at once, so they
//! stay even when the user cancels. The shift and names on OK; nothing on Cancel.
[[nodiscard]] std::optional<TransposeResult> ChooseTransposition(QWidget* parent, NoteNameTables& tables,
                                                                 const TransposeOffer& offer);

}  // namespace kaz
