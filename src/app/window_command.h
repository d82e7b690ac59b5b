#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QWidget;

namespace kaz {

//! One of the window's commands: label is its menu text without the key, which the menu shows after a tab
//! from the first of keys. The keys work wherever the focus is in the window, in a menu or not.
QAction* AddWindowCommand(QWidget& window, const QString& label, const QString& statusTip,
                          const QList<QKeySequence>& keys = {});

}  // namespace kaz
