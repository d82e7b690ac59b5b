#include "app/editor/editing_comforts.h"

#include <QAction>
#include <QMainWindow>
#include <QStatusBar>

#include "app/chart_editor.h"
#include "app/dialogs/find_replace_dialog.h"
#include "app/editor/zoom_control.h"

namespace kaz {

namespace {

constexpr int kMessageMs = 3000;

QAction* WindowAction(QMainWindow& window, const QString& text, const QString& tip,
                      const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, &window);
    action->setStatusTip(tip);
    action->setShortcuts(keys);
    window.addAction(action);
    return action;
}

}  // namespace

EditingComforts::EditingComforts(QMainWindow& window, ChartEditor& editor)
    : QObject(&window),
      editor_(editor),
      dialog_(new FindReplaceDialog(editor, &window)),
      zoom_(new ZoomControl(window, editor)) {
    redo_ =
        WindowAction(window, tr("&Redo\tCtrl+Shift+Z"), tr("Do again what Undo took back"),
                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo_, &QAction::triggered, this, [this] {
        if (stopped_ && !editor_.isReadOnly()) {
            editor_.redo();
        }
    });
    connect(editor_.document(), &QTextDocument::redoAvailable, this, [this] { SetStopped(stopped_); });

    find_ = WindowAction(window, tr("&Find...\tCtrl+F"), tr("Find a text in the chart"),
                         {QKeySequence(Qt::CTRL | Qt::Key_F)});
    connect(find_, &QAction::triggered, this, [this] { dialog_->Open(false); });
    replace_ = WindowAction(window, tr("R&eplace...\tCtrl+H"), tr("Replace a text of the chart with another"),
                            {QKeySequence(Qt::CTRL | Qt::Key_H)});
    connect(replace_, &QAction::triggered, this, [this] { dialog_->Open(true); });
    findNext_ =
        WindowAction(window, tr("Find &Next\tF3"), tr("Find the text again"), {QKeySequence(Qt::Key_F3)});
    findPrevious_ = WindowAction(window, tr("Find Pre&vious\tShift+F3"), tr("Find the text again, backwards"),
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
    SetStopped(true);
}

void EditingComforts::SetStopped(bool stopped) {
    stopped_ = stopped;
    redo_->setEnabled(stopped && editor_.document()->isRedoAvailable());
    replace_->setEnabled(stopped);
}

}  // namespace kaz
