#include "app/dialogs/chord_reference_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/chord_diagram_drawing.h"
#include "app/core_messages.h"
#include "app/view_settings.h"
#include "chart/chord_diagram.h"
#include "harmony/chord_reference.h"

namespace kaz {

namespace {

//! A text of the reference whose translation, where the window has one, is the whole text's.
QString SaidAsWritten(const std::string& text) {
    return Said(Message(text.c_str()));
}

constexpr int kSpellingColumn = 0;
constexpr int kDiagramColumn = 1;
constexpr int kPlaysColumn = 2;
//! The height of a diagram in the reference, in pixels.
constexpr int kDiagramHeight = 56;

//! The diagram of book's kind for the reference row that spells symbol; a null icon for no chord.
QIcon DiagramIcon(const ChordDiagramBook& book, const QString& symbol, const QPalette& palette) {
    const std::string spelling = symbol.toStdString();
    const std::optional<DiagramTones> tones = TonesOfSymbol(spelling);
    if (!tones || tones->empty()) {
        return {};
    }
    const QSize size(static_cast<int>(kDiagramHeight * DiagramAspect(book.Kind())), kDiagramHeight);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawChordDiagram(painter, QRectF(QPointF(1, 1), QSizeF(size) - QSizeF(2, 2)), book, *tones, spelling,
                     palette.color(QPalette::Text), palette.color(QPalette::Base));
    painter.end();
    return QIcon(pixmap);
}

//! Draw the diagrams of kind beside the spellings of tree.
void ShowDiagrams(QTreeWidget& tree, DiagramKind kind) {
    const ChordDiagramBook book(kind, {});
    tree.setIconSize(QSize(static_cast<int>(kDiagramHeight * DiagramAspect(kind)), kDiagramHeight));
    for (int g = 0; g < tree.topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tree.topLevelItem(g);
        for (int r = 0; r < group->childCount(); ++r) {
            QTreeWidgetItem* row = group->child(r);
            row->setIcon(
                kDiagramColumn,
                DiagramIcon(book, row->data(kSpellingColumn, Qt::UserRole).toString(), tree.palette()));
        }
    }
}

QTreeWidget* ReferenceTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QStringLiteral("chordReference"));
    tree->setAccessibleName(QObject::tr("Chord spellings and the keys they play"));
    tree->setHeaderLabels({QObject::tr("Write"), QObject::tr("Diagram"), QObject::tr("Kaz plays")});
    tree->setRootIsDecorated(true);
    // The rows of chords are as high as their diagrams, the rows of sections as high as their text.
    tree->setUniformRowHeights(false);
    for (const ChordReferenceSection& section : ChordReference()) {
        auto* group = new QTreeWidgetItem(tree, {SaidAsWritten(section.title)});
        group->setFirstColumnSpanned(true);
        for (const ChordReferenceRow& row : section.rows) {
            auto* item = new QTreeWidgetItem(group);
            item->setText(kSpellingColumn, SaidAsWritten(row.spelling));
            item->setText(kPlaysColumn, Said(row.playsSaid));
            item->setData(kSpellingColumn, Qt::UserRole, QString::fromStdString(row.spelling));
        }
    }
    tree->expandAll();
    tree->header()->setSectionResizeMode(kSpellingColumn, QHeaderView::ResizeToContents);
    tree->header()->setSectionResizeMode(kDiagramColumn, QHeaderView::ResizeToContents);
    return tree;
}

//! The choice of the diagrams' instrument, set to the one the chart view draws (the guitar when none).
QComboBox* DiagramChoice(QTreeWidget& tree, QWidget* parent) {
    auto* choice = new QComboBox(parent);
    choice->setObjectName(QStringLiteral("diagramKind"));
    choice->addItem(QObject::tr("Guitar"), static_cast<int>(DiagramKind::Guitar));
    choice->addItem(QObject::tr("Ukulele"), static_cast<int>(DiagramKind::Ukulele));
    choice->addItem(QObject::tr("Piano"), static_cast<int>(DiagramKind::Piano));
    const DiagramKind shown = LoadDiagramKind();
    choice->setCurrentIndex(std::max(0, choice->findData(static_cast<int>(shown))));
    const auto show = [&tree, choice] {
        ShowDiagrams(tree, static_cast<DiagramKind>(choice->currentData().toInt()));
    };
    QObject::connect(choice, &QComboBox::currentIndexChanged, &tree, show);
    show();
    return choice;
}

}  // namespace

void ShowChordReference(QWidget* owner) {
    auto* dialog = owner->findChild<QDialog*>(QStringLiteral("chordReferenceDialog"));
    if (dialog == nullptr) {
        dialog = new QDialog(owner);
        dialog->setObjectName(QStringLiteral("chordReferenceDialog"));
        dialog->setWindowTitle(QObject::tr("Chord reference"));
        auto* layout = new QVBoxLayout(dialog);
        QTreeWidget* tree = ReferenceTree(dialog);
        auto* choices = new QFormLayout;
        choices->addRow(QObject::tr("&Diagrams for:"), DiagramChoice(*tree, dialog));
        layout->addLayout(choices);
        layout->addWidget(tree);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
        buttons->button(QDialogButtonBox::Close)->setAccessibleName(QObject::tr("Close"));
        QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::hide);
        layout->addWidget(buttons);
        dialog->resize(640, 680);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace kaz
