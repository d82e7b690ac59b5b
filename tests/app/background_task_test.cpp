#include "app/dialogs/background_task.h"

#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <thread>

namespace kaz {
namespace {

TEST(RunWithProgress, CancelReachesTheTaskAndTheWindowStaysResponsive) {
    QWidget window;
    std::size_t steps = 0;
    bool cancelSeen = false;
    // Pressed on the window's thread while the task runs on its own.
    QTimer::singleShot(100, &window, [&window] {
        window.findChild<QProgressDialog*>()->findChild<QPushButton*>()->click();
    });
    RunWithProgress(&window, "Working", [&](const ImportProgress& progress) {
        while (progress(steps, 0)) {
            ++steps;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        cancelSeen = true;
    });
    EXPECT_TRUE(cancelSeen);
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

}  // namespace
}  // namespace kaz
