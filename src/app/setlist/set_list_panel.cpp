#include "app/setlist/set_list_panel.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/chord_display.h"

namespace kaz {

QString SongLine(std::size_t index, const SetListSong& song, const std::string& title) {
    QString line = QStringLiteral("%1. ").arg(index + 1);
    line += title.empty() ? QFileInfo(QString::fromStdString(song.path)).completeBaseName()
                          : QString::fromStdString(title);
    QStringList details;
    if (song.key) {
        details << SetListPanel::tr("Key of %1").arg(QString::fromStdString(DisplayNoteName(song.keyName)));
    }
    if (song.tempo > 0) {
        details << QStringLiteral("\u2669 = %1").arg(song.tempo);
    }
    if (!details.isEmpty()) {
        line += QStringLiteral(" \u2014 ") + details.join(QStringLiteral(", "));
    }
    return line;
}

SetListPanel::SetListPanel(QWidget* parent)
    : QWidget(parent),
      title_(new QLabel(this)),
      songs_(new QListWidget(this)),
      playsOn_(new QCheckBox(tr("Play &on to the next song"), this)),
      pedals_(new QLabel(this)) {
    QFont big = title_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    title_->setFont(big);
    title_->setWordWrap(true);
    songs_->setAccessibleName(tr("Songs of the set"));
    songs_->setUniformItemSizes(true);
    QFont listFont = songs_->font();
    listFont.setPointSizeF(listFont.pointSizeF() * 1.2);
    songs_->setFont(listFont);
    auto* previous = new QPushButton(tr("\u25C0 &Previous"), this);
    previous->setToolTip(tr("The song before (Page Up, or the soft pedal)"));
    auto* next = new QPushButton(tr("&Next \u25B6"), this);
    next->setToolTip(tr("The next song (Page Down, or the sustain pedal)"));
    auto* print = new QPushButton(tr("P&rint set..."), this);
    auto* exportPdf = new QPushButton(tr("Set to P&DF..."), this);
    playsOn_->setToolTip(tr("When a song has played to its end, open the next one and play it"));
    pedals_->setWordWrap(true);
    pedals_->setForegroundRole(QPalette::PlaceholderText);
    auto* steps = new QHBoxLayout;
    steps->addWidget(previous);
    steps->addWidget(next);
    auto* printing = new QHBoxLayout;
    printing->addWidget(print);
    printing->addWidget(exportPdf);
    auto* column = new QVBoxLayout(this);
    column->addWidget(title_);
    column->addWidget(songs_, 1);
    column->addLayout(steps);
    column->addWidget(playsOn_);
    column->addLayout(printing);
    column->addWidget(pedals_);
    connect(songs_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit songClicked(static_cast<std::size_t>(songs_->row(item))); });
    connect(songs_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit songClicked(static_cast<std::size_t>(songs_->row(item))); });
    connect(previous, &QPushButton::clicked, this, &SetListPanel::previousClicked);
    connect(next, &QPushButton::clicked, this, &SetListPanel::nextClicked);
    connect(print, &QPushButton::clicked, this, &SetListPanel::printClicked);
    connect(exportPdf, &QPushButton::clicked, this, &SetListPanel::exportPdfClicked);
    connect(playsOn_, &QCheckBox::toggled, this, &SetListPanel::playsOnChanged);
}

void SetListPanel::Show(const SetList& list, const std::vector<std::string>& titles,
                        const std::vector<bool>& found) {
    title_->setText(QString::fromStdString(list.title));
    title_->setVisible(!list.title.empty());
    songs_->clear();
    for (std::size_t i = 0; i < list.songs.size(); ++i) {
        auto* item = new QListWidgetItem(SongLine(i, list.songs[i], titles[i]), songs_);
        item->setToolTip(QString::fromStdString(list.songs[i].path));
        if (!found[i]) {
            item->setForeground(palette().color(QPalette::PlaceholderText));
            item->setToolTip(tr("%1 cannot be read").arg(QString::fromStdString(list.songs[i].path)));
        }
    }
}

void SetListPanel::MarkCurrent(std::optional<std::size_t> index) {
    if (!index || *index >= static_cast<std::size_t>(songs_->count())) {
        songs_->clearSelection();
        return;
    }
    songs_->setCurrentRow(static_cast<int>(*index));
    songs_->scrollToItem(songs_->currentItem());
}

bool SetListPanel::PlaysOn() const {
    return playsOn_->isChecked();
}

void SetListPanel::SetPlaysOn(bool on) {
    playsOn_->setChecked(on);
}

void SetListPanel::SetPedalNote(const QString& note) {
    pedals_->setText(note);
}

}  // namespace kaz
