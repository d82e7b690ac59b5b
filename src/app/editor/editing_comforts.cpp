#include "app/editor/editing_comforts.h"

#include <QAction>
#include <QMainWindow>
#include <QStatusBar>

#include "app/editor/chart_editor.h"
#include "app/editor/find_replace_dialog.h"
#include "app/editor/zoom_control.h"
#include "app/window_command.h"

namespace kaz {

namespace {

constexpr int kMessageMs = 3000;

}  // namespace

EditingComforts::EditingComforts(QMainWindow& window, ChartEditor& editor)
    : QObject(&window),
      editor_(editor),
      dialog_(new FindReplaceDialog(editor, &window)),
      zoom_(new ZoomControl(window, editor)) {
    redo_ = AddWindowCommand(
        window, tr("&Redo"), tr("Do again what Undo took back"),
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo_, &QAction::triggered, this, [this] {
        if (editable_ && !editor_.isReadOnly()) {
            editor_.redo();
        }
    });
    connect(editor_.document(), &QTextDocument::redoAvailable, this, [this] { SetEditable(editable_); });

    find_ = AddWindowCommand(window, tr("&Find..."), tr("Find a text in the chart"),
                             {QKeySequence(Qt::CTRL | Qt::Key_F)});
    connect(find_, &QAction::triggered, this, [this] { dialog_->Open(false); });
    replace_ = AddWindowCommand(window, tr("R&eplace..."), tr("Replace a text of the chart with another"),
                                {QKeySequence(Qt::CTRL | Qt::Key_H)});
    connect(replace_, &QAction::triggered, this, [this] { dialog_->Open(true); });
    findNext_ =
        AddWindowCommand(window, tr("Find &Next"), tr("Find the text again"), {QKeySequence(Qt::Key_F3)});
    findPrevious_ = AddWindowCommand(window, tr("Find Pre&vious"), tr("Find the text again, backwards"),
                                     {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
    for (QAction* again : {findNext_, findPrevious_}) {
        connect(again, &QAction::triggered, this, [this, backward = again == findPrevious_] {
            if (dialog_->Query().text.isEmpty()) {
                dialog_->Open(false);
            } else {
                static_cast<void>(dialog_->FindAgain(backward));
            }
        });
    }
    connect(dialog_, &FindReplaceDialog::reported, this,
            [&window](const QString& message) { window.statusBar()->showMessage(message, kMessageMs); });
    SetEditable(true);
}

void EditingComforts::SetEditable(bool editable) {
    editable_ = editable;
    redo_->setEnabled(editable && editor_.document()->isRedoAvailable());
    replace_->setEnabled(editable);
}

}  // namespace kaz
