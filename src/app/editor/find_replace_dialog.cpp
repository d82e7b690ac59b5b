#include "app/editor/find_replace_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kaz {

FindReplaceDialog::FindReplaceDialog(QPlainTextEdit& editor, QWidget* parent)
    : QDialog(parent),
      editor_(editor),
      find_(new QLineEdit(this)),
      replace_(new QLineEdit(this)),
      replaceLabel_(new QLabel(tr("Re&place with:"), this)),
      matchCase_(new QCheckBox(tr("Match &case"), this)),
      wholeWords_(new QCheckBox(tr("&Whole words"), this)),
      findNext_(new QPushButton(tr("&Find Next"), this)),
      replaceOne_(new QPushButton(tr("&Replace"), this)),
      replaceAll_(new QPushButton(tr("Replace &All"), this)) {
    setWindowTitle(tr("Find"));
    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(find_);
    replaceLabel_->setBuddy(replace_);
    find_->setAccessibleName(tr("Find what"));
    replace_->setAccessibleName(tr("Replace with"));
    matchCase_->setAccessibleName(tr("Match case"));
    wholeWords_->setAccessibleName(tr("Whole words"));
    findNext_->setAccessibleName(tr("Find Next"));
    replaceOne_->setAccessibleName(tr("Replace"));
    replaceAll_->setAccessibleName(tr("Replace All"));
    auto* close = new QPushButton(tr("Close"), this);
    close->setAccessibleName(tr("Close"));
    findNext_->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(find_, 0, 1);
    grid->addWidget(replaceLabel_, 1, 0);
    grid->addWidget(replace_, 1, 1);
    grid->addWidget(matchCase_, 2, 1);
    grid->addWidget(wholeWords_, 3, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {findNext_, replaceOne_, replaceAll_, close}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, 4, 1);

    connect(find_, &QLineEdit::textChanged, this, &FindReplaceDialog::UpdateButtons);
    connect(findNext_, &QPushButton::clicked, this, [this] { FindAgain(false); });
    connect(replaceOne_, &QPushButton::clicked, this, [this] {
        if (!ReplaceCurrent(editor_, Query(), replace_->text())) {
            emit reported(tr("Select a match to replace it: Find Next selects the next one"));
        }
    });
    connect(replaceAll_, &QPushButton::clicked, this, [this] {
        const int count = ReplaceAll(editor_, Query(), replace_->text());
        emit reported(tr("Replaced %n time(s)", nullptr, count));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    UpdateButtons();
}

FindQuery FindReplaceDialog::Query() const {
    return {find_->text(), matchCase_->isChecked(), wholeWords_->isChecked(), false};
}

void FindReplaceDialog::Open(bool replacing) {
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    for (QWidget* widget :
         std::initializer_list<QWidget*>{replaceLabel_, replace_, replaceOne_, replaceAll_}) {
        widget->setVisible(replacing);
    }
    const QString selected = editor_.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) {
        find_->setText(selected);
    }
    UpdateButtons();
    show();
    raise();
    activateWindow();
    find_->setFocus();
    find_->selectAll();
}

bool FindReplaceDialog::FindAgain(bool backward) {
    FindQuery query = Query();
    query.backward = backward;
    const bool found = FindNext(editor_, query);
    if (!found && !query.text.isEmpty()) {
        emit reported(tr("Cannot find \"%1\"").arg(query.text));
    }
    return found;
}

void FindReplaceDialog::UpdateButtons() {
    const bool searching = !find_->text().isEmpty();
    findNext_->setEnabled(searching);
    replaceOne_->setEnabled(searching && !editor_.isReadOnly());
    replaceAll_->setEnabled(searching && !editor_.isReadOnly());
}

}  // namespace kaz
