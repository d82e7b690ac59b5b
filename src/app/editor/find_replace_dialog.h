#pragma once

#include <QDialog>

#include "app/editor/text_finder.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kaz {

//! Edit > Find and Edit > Replace: a dialog that stays open beside the editor and searches its text.
class FindReplaceDialog final : public QDialog {
    Q_OBJECT

  public:
    FindReplaceDialog(QPlainTextEdit& editor, QWidget* parent);

    //! Show the dialog for finding, or with the replace row too, the selection as the text to find.
    void Open(bool replacing);
    //! Find the next match of the last search (F3), or the one before it; false when there is none.
    bool FindAgain(bool backward);
    [[nodiscard]] FindQuery Query() const;
    [[nodiscard]] QLineEdit& FindField() const { return *find_; }
    [[nodiscard]] QLineEdit& ReplaceField() const { return *replace_; }

  signals:
    //! A message for the status bar: what was found or replaced, or that nothing was.
    void reported(const QString& message);

  private:
    void UpdateButtons();

    QPlainTextEdit& editor_;
    QLineEdit* find_;
    QLineEdit* replace_;
    QLabel* replaceLabel_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWords_;
    QPushButton* findNext_;
    QPushButton* replaceOne_;
    QPushButton* replaceAll_;
};

}  // namespace kaz
