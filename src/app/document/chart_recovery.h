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

//! What a run that ended left for a later start to offer back.
struct LeftBehindWork {
    enum class Kind {
        UnsavedChart,     //!< a chart's changes that were not saved, in a recovery file
        InterruptedSave,  //!< a chart's bytes from before a save in place that never finished
    };
    Kind kind = Kind::UnsavedChart;
    QString file;  //!< the recovery file, or the copy of the chart's old bytes
    QString path;  //!< the chart's file; empty for a chart never saved
    QDateTime written;
    QString problem;  //!< why it cannot be restored, in the user's words; empty when it can
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

    //! Keep text, to be saved as path in format; false with the reason in error when it cannot be kept.
    [[nodiscard]] bool Write(const QString& path, const ChartFileFormat& format, const QString& text,
                             QString& error);
    //! The chart needs no recovery: it is saved, or its changes were discarded.
    void Remove();

    //! The user's recovery folder: the program's data folder's "recovery".
    [[nodiscard]] static QString DefaultFolder();
    //! What runs which have ended left in folder, newest first: the charts with unsaved changes and the saves
    //! that never finished. Only regular files are read, never through a link.
    [[nodiscard]] static std::vector<LeftBehindWork> LeftBehind(const QString& folder);
    //! Read the recovery file file into chart. False when it is not one, or, said in problem, when its text
    //! is more than the window opens as a chart.
    [[nodiscard]] static bool Read(const QString& file, RecoveredChart& chart, QString& problem);
    //! The text of work, to read before choosing: the unsaved text, or what the chart held before the save.
    [[nodiscard]] static QString TextOf(const LeftBehindWork& work);
    //! Put back what the chart of an interrupted save held before it; false with the reason in error.
    [[nodiscard]] static bool PutBack(const LeftBehindWork& work, QString& error);
    //! Remove what work left, once it is restored or discarded.
    static void Forget(const LeftBehindWork& work);
    static void Forget(const RecoveredChart& chart);

  private:
    QString folder_;
    QString file_;
    std::unique_ptr<QLockFile> lock_;
    bool written_ = false;
};

}  // namespace kaz
