#pragma once

#include <QString>
#include <functional>

#include "interchange/import_check.h"

class QWidget;

namespace kaz {

//! Run task on a thread of its own while a dialog over parent shows label, how far the task has come and a
//! Cancel button (after a moment, so that a quick task shows nothing). Returns when the task has returned;
//! the window's events are handled meanwhile, so that it repaints and Cancel can be pressed. The task hears
//! through its progress when the user has cancelled it, and should return soon after.
void RunWithProgress(QWidget* parent, const QString& label,
                     const std::function<void(const ImportProgress&)>& task);

}  // namespace kaz
