#pragma once

#include <QStringList>
#include <memory>

#include "app/main_window.h"
#include "app/session.h"

namespace kaz {

//! Name, version and icon of the program, for the window titles, the settings and the desktop.
void DescribeApplication();

//! The start-up once the application object exists, in order: the settings, the outputs of this machine,
//! the window, and the chart named first in files. Nothing when that chart cannot be opened; the user has
//! been told why.
[[nodiscard]] std::unique_ptr<MainWindow> StartUp(Session& session, const QStringList& files);

}  // namespace kaz
