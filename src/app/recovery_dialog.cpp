#include "app/recovery_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kaz {

namespace {

enum Column { kChart, kFolder, kKept, kWhat, kColumns };
//! Where an item keeps the index of its entry in the list given.
constexpr int kEntryRole = Qt::UserRole;

QString ChartName(const LeftBehindWork& work) {
    return work.path.isEmpty() ? RecoveryDialog::tr("Untitled") : QFileInfo(work.path).fileName();
}

QString WhatIsLeft(const LeftBehindWork& work) {
    if (!work.problem.isEmpty()) {
        return RecoveryDialog::tr("Cannot be restored, kept in %1: %2")
            .arg(QDir::toNativeSeparators(work.file), work.problem);
    }
    if (work.kind == LeftBehindWork::Kind::InterruptedSave) {
        return RecoveryDialog::tr(
            "Kaz ended while saving it: the file may be damaged. Restore puts back what it held before.");
    }
    return RecoveryDialog::tr("Changes that were not saved");
}

//! The text of a chart left behind, to read before choosing.
void ShowLeftText(QWidget& parent, const QString& title, const QString& text) {
    QDialog dialog(&parent);
    dialog.setWindowTitle(title);
    auto* shown = new QPlainTextEdit(text, &dialog);
    shown->setReadOnly(true);
    shown->setAccessibleName(RecoveryDialog::tr("Unsaved text"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(shown);
    layout->addWidget(buttons);
    dialog.resize(560, 420);
    dialog.exec();
}

}  // namespace

RecoveryDialog::RecoveryDialog(const std::vector<LeftBehindWork>& work, QWidget* parent)
    : QDialog(parent),
      work_(work),
      answers_(work.size(), RecoveryAnswer::Later),
      list_(new QTreeWidget(this)),
      restore_(new QPushButton(tr("&Restore"), this)),
      show_(new QPushButton(tr("&Show..."), this)),
      discard_(new QPushButton(tr("&Discard"), this)),
      later_(new QPushButton(tr("&Later"), this)) {
    setWindowTitle(tr("Unsaved charts"));
    auto* intro =
        new QLabel(tr("Kaz ended before these charts were saved. Select one or more (Ctrl+A selects "
                      "all), then restore them, discard them or keep them for later. A chart restored "
                      "opens in this window when it shows that chart or nothing yet, otherwise in a "
                      "window of its own."),
                   this);
    intro->setWordWrap(true);
    list_->setColumnCount(kColumns);
    list_->setHeaderLabels({tr("Chart"), tr("Folder"), tr("Kept"), tr("What is left")});
    list_->setAccessibleName(tr("Unsaved charts"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    intro->setBuddy(list_);
    // Made first and added in one go: thousands of charts take a moment, not one each.
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(work.size()));
    const QLocale locale;
    for (std::size_t i = 0; i < work.size(); ++i) {
        const LeftBehindWork& left = work[i];
        auto* item = new QTreeWidgetItem(
            {ChartName(left),
             left.path.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(left.path).path()),
             locale.toString(left.written, QLocale::ShortFormat), WhatIsLeft(left)});
        item->setData(kChart, kEntryRole, static_cast<qulonglong>(i));
        item->setToolTip(kWhat, item->text(kWhat));
        items << item;
    }
    list_->addTopLevelItems(items);
    list_->header()->resizeSection(kChart, 180);
    list_->header()->resizeSection(kFolder, 200);
    list_->header()->resizeSection(kKept, 150);
    if (!items.isEmpty()) {
        list_->setCurrentItem(items.front());
    }

    auto* selectAll = new QPushButton(tr("Select &all"), this);
    restore_->setDefault(true);
    connect(restore_, &QPushButton::clicked, this, [this] { Answer(RecoveryAnswer::Restore); });
    connect(discard_, &QPushButton::clicked, this, [this] { Answer(RecoveryAnswer::Discard); });
    connect(later_, &QPushButton::clicked, this, [this] { Answer(RecoveryAnswer::Later); });
    connect(show_, &QPushButton::clicked, this, &RecoveryDialog::ShowText);
    connect(selectAll, &QPushButton::clicked, list_, &QTreeWidget::selectAll);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &RecoveryDialog::UpdateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &RecoveryDialog::ShowText);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setToolTip(tr("Keep the charts not answered for later"));
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choices = new QHBoxLayout;
    for (QPushButton* button : {restore_, show_, discard_, later_}) {
        choices->addWidget(button);
    }
    choices->addStretch(1);
    choices->addWidget(selectAll);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addLayout(choices);
    layout->addWidget(close);
    resize(860, 420);
    UpdateButtons();
}

void RecoveryDialog::Answer(RecoveryAnswer answer) {
    // Taken out and put back whole: one by one, thousands of charts would take long.
    QList<QTreeWidgetItem*> kept;
    // The chart after the first one answered is the next to answer.
    qsizetype next = -1;
    const QList<QTreeWidgetItem*> selectedItems = list_->selectedItems();
    const QSet<QTreeWidgetItem*> selected(selectedItems.begin(), selectedItems.end());
    const QList<QTreeWidgetItem*> items = list_->invisibleRootItem()->takeChildren();
    for (QTreeWidgetItem* item : items) {
        const auto index = item->data(kChart, kEntryRole).toULongLong();
        // A chart beyond the limits of the window can only be discarded or kept.
        if (selected.contains(item) &&
            (answer != RecoveryAnswer::Restore || work_[index].problem.isEmpty())) {
            answers_[index] = answer;
            next = next < 0 ? kept.size() : next;
            delete item;
        } else {
            kept << item;
        }
    }
    if (kept.isEmpty()) {
        accept();
        return;
    }
    list_->addTopLevelItems(kept);
    list_->clearSelection();
    list_->setCurrentItem(kept[std::clamp<qsizetype>(next, 0, kept.size() - 1)]);
}

void RecoveryDialog::ShowText() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr) {
        return;
    }
    const LeftBehindWork& left = work_[item->data(kChart, kEntryRole).toULongLong()];
    if (left.problem.isEmpty()) {
        ShowLeftText(*this,
                     left.kind == LeftBehindWork::Kind::InterruptedSave
                         ? tr("%1 before it was saved").arg(ChartName(left))
                         : tr("%1, not saved").arg(ChartName(left)),
                     ChartRecovery::TextOf(left));
    }
}

void RecoveryDialog::UpdateButtons() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    const auto restorable = [this](const QTreeWidgetItem* item) {
        return work_[item->data(kChart, kEntryRole).toULongLong()].problem.isEmpty();
    };
    restore_->setEnabled(std::any_of(selected.begin(), selected.end(), restorable));
    show_->setEnabled(list_->currentItem() != nullptr && restorable(list_->currentItem()));
    discard_->setEnabled(!selected.isEmpty());
    later_->setEnabled(!selected.isEmpty());
}

}  // namespace kaz
