#pragma once

#include <QDialog>
#include <vector>

#include "interchange/lead_sheet.h"

class QLineEdit;
class QListWidget;

namespace kaz {

//! The songs of a playlist in a list to search and pick from, several at once.
class SongPickerDialog : public QDialog {
    Q_OBJECT

  public:
    SongPickerDialog(const ImportedSongs& songs, QWidget* parent);

    //! The indexes of the songs picked, in list order.
    [[nodiscard]] std::vector<std::size_t> Picked() const;
    //! Show only the songs whose title or composer holds text (any case).
    void Search(const QString& text);

  private:
    QLineEdit* search_;
    QListWidget* list_;
};

}  // namespace kaz
