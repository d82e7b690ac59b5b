#pragma once

#include <QStringList>
#include <memory>

#include "app/main_window.h"
#include "app/session.h"

namespace kaz {

//! Name, version and icon of the program, for the window titles, the settings and the desktop.
void DescribeApplication();

//! Offer each chart a run that ended left unsaved. The first one restored goes into window when it has no
//! chart of its own; every other one into a Kaz of its own.
void OfferRecoveredCharts(MainWindow& window, bool windowIsFree);

//! Under a German, Austrian or Swiss locale, ask once which notation the user reads, German preselected, and
//! keep the answer in notation and the settings.
void AskNotationOnce(MainWindow& window, NotationMode& notation);

//! The start-up once the application object exists, in order: the settings, the outputs of this machine,
//! the window, and the chart named first in files (a new chart of that name when there is no such file).
//! Nothing when that chart cannot be opened; the user has been told why.
//! Then it offers the charts that runs which ended left unsaved; restore names one to restore at once.
[[nodiscard]] std::unique_ptr<MainWindow> StartUp(Session& session, const QStringList& files,
                                                  const QString& restore = {});

}  // namespace kaz
