#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "app/document/chart_file.h"

namespace kaz {

//! A chart kept in a recovery file: its text and where and how it was to be saved.
struct RecoveredChart {
    QString file;  //!< the recovery file
    QString path;  //!< the chart's own file; empty for a chart never saved
    ChartFileFormat format;
    QString text;
    QDateTime written;
};

//! The recovery file of this run's chart. While the chart has changes that are not saved, its text is
//! written here, in the user's data folder and never over the chart's own file; the file goes when the chart
//! is saved or its changes are discarded. A lock beside it, taken with the first file and held while this
//! run lives, tells a later start that the file was left by a run that ended without saving (a crash, a
//! kill, a logout): that start offers it back.
class ChartRecovery {
  public:
    //! The recovery of this run in folder (made when missing).
    explicit ChartRecovery(QString folder);
    ~ChartRecovery();
    ChartRecovery(const ChartRecovery&) = delete;
    ChartRecovery& operator=(const ChartRecovery&) = delete;

    //! Keep text, to be saved as path in format; false when the folder cannot be written.
    bool Write(const QString& path, const ChartFileFormat& format, const QString& text);
    //! The chart needs no recovery: it is saved, or its changes were discarded.
    void Remove();
    [[nodiscard]] bool HasWritten() const { return written_; }

    //! The user's recovery folder: the program's data folder's "recovery".
    [[nodiscard]] static QString DefaultFolder();
    //! The charts in folder that runs which have ended left behind, newest first.
    [[nodiscard]] static std::vector<RecoveredChart> LeftBehind(const QString& folder);
    //! Read the recovery file file into chart; false when it is not one.
    [[nodiscard]] static bool Read(const QString& file, RecoveredChart& chart);
    //! Remove a chart left behind, once it is restored or discarded.
    static void Forget(const RecoveredChart& chart);

  private:
    QString folder_;
    QString file_;
    std::unique_ptr<QLockFile> lock_;
    bool written_ = false;
};

}  // namespace kaz
