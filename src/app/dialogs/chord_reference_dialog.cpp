#include "app/dialogs/chord_reference_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/core_messages.h"
#include "harmony/chord_reference.h"

namespace kaz {

namespace {

//! A text of the reference whose translation, where the window has one, is the whole text's.
QString SaidAsWritten(const std::string& text) {
    return Said(Message(text.c_str()));
}

QTreeWidget* ReferenceTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QStringLiteral("chordReference"));
    tree->setAccessibleName(QObject::tr("Chord spellings and the keys they play"));
    tree->setHeaderLabels({QObject::tr("Write"), QObject::tr("Kaz plays")});
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    for (const ChordReferenceSection& section : ChordReference()) {
        auto* group = new QTreeWidgetItem(tree, {SaidAsWritten(section.title)});
        group->setFirstColumnSpanned(true);
        for (const ChordReferenceRow& row : section.rows) {
            new QTreeWidgetItem(group, {SaidAsWritten(row.spelling), Said(row.playsSaid)});
        }
    }
    tree->expandAll();
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return tree;
}

}  // namespace

void ShowChordReference(QWidget* owner) {
    auto* dialog = owner->findChild<QDialog*>(QStringLiteral("chordReferenceDialog"));
    if (dialog == nullptr) {
        dialog = new QDialog(owner);
        dialog->setObjectName(QStringLiteral("chordReferenceDialog"));
        dialog->setWindowTitle(QObject::tr("Chord reference"));
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(ReferenceTree(dialog));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
        buttons->button(QDialogButtonBox::Close)->setAccessibleName(QObject::tr("Close"));
        QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::hide);
        layout->addWidget(buttons);
        dialog->resize(560, 640);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace kaz
