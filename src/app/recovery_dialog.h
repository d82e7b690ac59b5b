#pragma once

#include <QDialog>
#include <vector>

#include "app/document/chart_recovery.h"
#include "app/user_prompts.h"

class QPushButton;
class QTreeWidget;

namespace kaz {

//! What runs that ended left unsaved, in one list: each chart with its folder and time, and what it is (the
//! changes, or a save that was cut short). The user picks charts (several at once, or all) and says Restore,
//! Discard or Later; each chart so answered leaves the list, and the dialog closes with the last. Show reads
//! a chart's text first. Closing the dialog leaves the charts not answered for later.
class RecoveryDialog final : public QDialog {
    Q_OBJECT

  public:
    RecoveryDialog(const std::vector<LeftBehindWork>& work, QWidget* parent);

    //! The answer for each entry of the list given, in its order; Later for those not answered.
    [[nodiscard]] const std::vector<RecoveryAnswer>& Answers() const { return answers_; }
    [[nodiscard]] QTreeWidget& List() const { return *list_; }
    //! Answer the charts selected, and take them off the list.
    void Answer(RecoveryAnswer answer);
    //! Show the text of the chart that has the focus, to read before choosing.
    void ShowText();

  private:
    void UpdateButtons();

    const std::vector<LeftBehindWork>& work_;
    std::vector<RecoveryAnswer> answers_;
    QTreeWidget* list_;
    QPushButton* restore_;
    QPushButton* show_;
    QPushButton* discard_;
    QPushButton* later_;
};

}  // namespace kaz
