#include "app/dialogs/fast_input_dialog.h"

#include <QMessageBox>

#include "ui_fast_input_dialog.h"

namespace kaz {

namespace {

//! The field of snippet index 0..9 (index 0 is Ctrl+1).
QLineEdit* SnippetField(const QDialog& dialog, int index) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("snippetField%1").arg(index));
}

}  // namespace

FastInputDialog::FastInputDialog(QWidget* parent, const FastInputSnippets& snippets)
    : QDialog(parent), ui_(std::make_unique<Ui::FastInputDialog>()) {
    ui_->setupUi(this);
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        SnippetField(*this, i)->setText(snippets.texts[static_cast<std::size_t>(i)]);
    }
}

FastInputDialog::~FastInputDialog() = default;

FastInputSnippets FastInputDialog::Snippets() const {
    FastInputSnippets snippets;
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        snippets.texts[static_cast<std::size_t>(i)] = SnippetField(*this, i)->text();
    }
    return snippets;
}

void EditFastInput(QWidget* parent, FastInputSnippets& snippets) {
    FastInputDialog dialog(parent, snippets);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const FastInputSnippets chosen = dialog.Snippets();
    QStringList tooLong;
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (chosen.texts[index].size() > FastInputSnippets::kMaxLength) {
            tooLong << SnippetSettingName(i);
        } else {
            snippets.texts[index] = chosen.texts[index];
        }
    }
    SaveSnippets(snippets);
    if (!tooLong.isEmpty()) {
        QMessageBox::warning(parent, QObject::tr("Kaz"),
                             QObject::tr("A snippet is at most %1 characters: %2 kept the text it had.")
                                 .arg(FastInputSnippets::kMaxLength)
                                 .arg(tooLong.join(QStringLiteral(", "))));
    }
}

}  // namespace kaz
