#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kaz::test {

//! Do what the user does in the next modal window once it is up and has the keyboard: the dialog an entry
//! point runs, or a message box a dialog shows.
inline void WhenModalOpens(std::function<void(QWidget&)> interact) {
    QTimer::singleShot(0, [interact = std::move(interact)] {
        QWidget& window = *QApplication::activeModalWidget();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        interact(window);
    });
}

//! Click the dialog's standard button (QDialogButtonBox::Ok or Cancel).
inline void Press(QWidget& dialog, QDialogButtonBox::StandardButton which) {
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

}  // namespace kaz::test
