#include "app/dialogs/song_picker_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kaz {

SongPickerDialog::SongPickerDialog(const ImportedSongs& songs, QWidget* parent)
    : QDialog(parent), search_(new QLineEdit(this)), list_(new QListWidget(this)) {
    setWindowTitle(songs.collection.empty() ? tr("Import") : QString::fromStdString(songs.collection));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(
        tr("%n song(s). Pick the ones to open:", nullptr, static_cast<int>(songs.songs.size())), this);
    layout->addWidget(label);
    search_->setPlaceholderText(tr("Search titles and composers"));
    search_->setAccessibleName(tr("Search"));
    search_->setClearButtonEnabled(true);
    layout->addWidget(search_);
    list_->setAccessibleName(tr("Songs"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setUniformItemSizes(true);
    QStringList titles;
    titles.reserve(static_cast<qsizetype>(songs.songs.size()));
    for (const LeadSheet& song : songs.songs) {
        const QString title = QString::fromStdString(song.title.empty() ? "Untitled" : song.title);
        titles.append(
            song.composer.empty() ? title : tr("%1 — %2").arg(title, QString::fromStdString(song.composer)));
    }
    list_->addItems(titles);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Open"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(search_, &QLineEdit::textChanged, this, &SongPickerDialog::Search);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this, buttons] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!Picked().empty()); });
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    resize(480, 520);
}

std::vector<std::size_t> SongPickerDialog::Picked() const {
    std::vector<std::size_t> picked;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        if (item->isSelected() && !item->isHidden()) {
            picked.push_back(static_cast<std::size_t>(row));
        }
    }
    return picked;
}

void SongPickerDialog::Search(const QString& text) {
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
    }
}

}  // namespace kaz
