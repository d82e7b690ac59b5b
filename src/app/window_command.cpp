#include "app/window_command.h"

#include <QAction>
#include <QWidget>

namespace kaz {

QAction* AddWindowCommand(QWidget& window, const QString& label, const QString& statusTip,
                          const QList<QKeySequence>& keys) {
    const QString text =
        keys.isEmpty() ? label : label + QLatin1Char('\t') + keys.first().toString(QKeySequence::NativeText);
    auto* action = new QAction(text, &window);
    action->setStatusTip(statusTip);
    action->setShortcuts(keys);
    window.addAction(action);
    return action;
}

}  // namespace kaz
