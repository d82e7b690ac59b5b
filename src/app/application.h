#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/session.h"

namespace kaz {

//! Name, version and icon of the program, for the window titles, the settings and the desktop.
void DescribeApplication();

//! Start a Kaz of its own that restores the recovery file file.
void RestoreInAnotherKaz(const QString& file);

//! Offer, in one list, the charts that runs which ended left unsaved and the saves they cut short. The old
//! bytes of a save cut short go back into its file first. A chart restored goes into window when the window
//! shows that chart's file unchanged, or an empty new chart; every other one into a window of its own,
//! through restoreElsewhere, so that no chart is open in two windows.
void OfferRecoveredCharts(
    MainWindow& window,
    const std::function<void(const QString& file)>& restoreElsewhere = RestoreInAnotherKaz);

//! Under a German, Austrian or Swiss locale, ask once which notation the user reads, German preselected, and
//! keep the answer in notation and the settings.
void AskNotationOnce(MainWindow& window, NotationMode& notation);

//! The start-up once the application object exists, in order: the settings, the outputs of this machine,
//! the window with its answer to requests to end the program, and the chart named first in files (a new chart
//! of that name when there is no such file). Nothing when that chart cannot be opened; the user has been told
//! why. Once the window shows, it offers what runs which ended left unsaved; restore names a recovery file to
//! restore at once.
[[nodiscard]] std::unique_ptr<MainWindow> StartUp(Session& session, const QStringList& files,
                                                  const QString& restore = {});

}  // namespace kaz
