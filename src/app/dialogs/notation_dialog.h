#pragma once

#include <QDialog>
#include <memory>

#include "harmony/notation.h"

namespace Ui {
class NotationDialog;
}

namespace kaz {

//! The B/Bb/H dialog: how charts write B and B flat, English (B/Bb), German (H/B) or mixed (H/Bb).
class NotationDialog : public QDialog {
    Q_OBJECT

  public:
    NotationDialog(QWidget* parent, NotationMode notation);
    ~NotationDialog() override;

    //! The notation of the selected button; the one the dialog opened with when none is selected.
    [[nodiscard]] NotationMode Notation() const;

  private:
    std::unique_ptr<Ui::NotationDialog> ui_;
    NotationMode opened_;
};

//! Choose the notation over parent. OK sets notation and stores it; Cancel changes and stores nothing.
void EditNotation(QWidget* parent, NotationMode& notation);

}  // namespace kaz
