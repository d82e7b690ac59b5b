#include "app/dialogs/background_task.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <climits>

namespace kaz {

namespace {

//! A task quicker than this shows no dialog.
constexpr int kShowAfterMilliseconds = 400;
//! How often the dialog catches up with the task.
constexpr int kUpdateMilliseconds = 50;

int DialogValue(std::size_t value) {
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

}  // namespace

void RunWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(const ImportProgress&)>& task) {
    std::atomic<std::size_t> done = 0;
    std::atomic<std::size_t> total = 0;
    std::atomic<bool> cancelled = false;
    QProgressDialog dialog(label, QObject::tr("Cancel"), 0, 0, parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(kShowAfterMilliseconds);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, [&cancelled] { cancelled = true; });
    QTimer update;
    update.setInterval(kUpdateMilliseconds);
    QObject::connect(&update, &QTimer::timeout, &dialog, [&] {
        dialog.setMaximum(DialogValue(total));
        dialog.setValue(DialogValue(done));
    });
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&] {
        task([&](std::size_t step, std::size_t steps) {
            done = step;
            total = steps;
            return !cancelled;
        });
    }));
    update.start();
    if (!watcher.isFinished()) {
        loop.exec();
    }
    watcher.waitForFinished();
}

}  // namespace kaz
