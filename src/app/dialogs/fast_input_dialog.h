#pragma once

#include <QDialog>
#include <memory>

#include "app/settings.h"

namespace Ui {
class FastInputDialog;
}

namespace kaz {

//! The Fast input dialog: one field for each of the ten snippets, Ctrl+1 to Ctrl+5 on the left and
//! Ctrl+6 to Ctrl+0 on the right.
class FastInputDialog : public QDialog {
    Q_OBJECT

  public:
    FastInputDialog(QWidget* parent, const FastInputSnippets& snippets);
    ~FastInputDialog() override;

    //! The ten texts as the fields hold them.
    [[nodiscard]] FastInputSnippets Snippets() const;

  private:
    std::unique_ptr<Ui::FastInputDialog> ui_;
};

//! Edit the snippets over parent. OK takes the ten texts into snippets and stores all of them, empty ones
//! too; Cancel changes and stores nothing.
void EditFastInput(QWidget* parent, FastInputSnippets& snippets);

}  // namespace kaz
