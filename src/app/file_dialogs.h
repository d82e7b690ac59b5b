#pragma once

#include <QString>

class QWidget;

namespace kaz {

//! Where a file dialog starts: the folder of the current chart, or the user's documents for a new one.
[[nodiscard]] QString StartFolder(const QString& currentFile);
//! The name an export suggests: the chart's own name with suffix, in StartFolder.
[[nodiscard]] QString SuggestedExportPath(const QString& currentFile, const QString& suffix);

//! Ask for a file to write, starting at suggested (a folder, or a file's path); the name gets suffix when
//! it has none. Empty for Cancel.
[[nodiscard]] QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                      const QString& suffix, const QString& suggested);

//! Ask for a chart to open, starting in folder. Empty for Cancel.
[[nodiscard]] QString AskOpenFileName(QWidget* parent, const QString& folder);
//! Ask for a WAV or, where it can be written, a FLAC file name; the name gets the ending of the chosen kind.
[[nodiscard]] QString AskAudioFileName(QWidget* parent, const QString& suggested);

}  // namespace kaz
