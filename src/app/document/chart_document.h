#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>

#include "app/document/chart_file.h"
#include "app/document/chart_recovery.h"

namespace kaz {

class ChartEditor;
class UserPrompts;

//! The chart the window shows: its file's path and format (encoding, byte order mark, line breaks), whether
//! it has changed since it was opened or saved, and its loading and saving. The text itself is the editor's.
//!
//! It also keeps the user's work safe: unsaved changes go to a recovery file a moment after typing stops;
//! a change of the file by another program is noticed (as it happens, when the window is activated and
//! before every save) and never overwritten unasked; and a chart open in another Kaz window opens here only
//! for reading.
class ChartDocument final : public QObject {
    Q_OBJECT

  public:
    //! A document whose recovery file lives in recoveryFolder.
    ChartDocument(ChartEditor& editor, UserPrompts& prompts, const QString& recoveryFolder, QObject* parent);
    ~ChartDocument() override;

    //! The chart's file; empty for a chart not saved yet.
    [[nodiscard]] const QString& Path() const { return path_; }
    [[nodiscard]] const ChartFileFormat& Format() const { return format_; }
    [[nodiscard]] bool IsModified() const { return modified_; }
    void SetModified(bool modified);
    //! True when another Kaz window has the chart's file open: Save asks for another name.
    [[nodiscard]] bool IsReadOnly() const { return readOnly_; }
    //! The file's name, or "Untitled".
    [[nodiscard]] QString DisplayName() const;

    //! Put an empty chart in place, untitled or to be saved as path.
    void StartNew(const QString& path = {});
    //! Put text in place as a new chart that has not been saved (an imported song).
    void StartUnsaved(const QString& text);
    //! Put a chart that a run that ended left unsaved in place, with its name and format, unsaved.
    void Restore(const RecoveredChart& chart);
    //! Open the chart at path in place of the current one. False, after saying why, when it cannot be read
    //! or the user keeps the current one; the current chart then stays.
    bool Load(const QString& path);
    //! Save to the chart's file, or ask for one when it has none. False when it is not saved.
    bool Save();
    //! Ask for a file name and save there. False when it is not saved.
    bool SaveAs();
    //! Write the chart to path. False, after saying why, when that fails; the file is then as it was.
    bool SaveTo(const QString& path);
    //! When the chart has changed, ask whether to save it first. True when it may be replaced or closed.
    [[nodiscard]] bool MaybeSave();

    //! Write the unsaved changes to the recovery file now: before playing, and when the program is asked
    //! to end.
    void KeepForRecovery();
    //! Whether a chart restored from a recovery file, to be saved as path, goes in place of this one: this
    //! is an empty new chart, or that chart's file unchanged.
    [[nodiscard]] bool TakesRestored(const QString& path) const;
    //! Look whether another program changed, replaced or deleted the chart's file, and deal with it.
    void CheckOutsideChanges();

    //! The editor's form of a compiled text (which has the file's line breaks): every line break a "\n".
    [[nodiscard]] QString EditorText(const std::string& compiled) const;

  signals:
    //! The editor's text is about to be replaced by another chart's.
    void aboutToReplace();
    //! The chart now has another file, or none, or can no longer be written.
    void pathChanged(const QString& path);
    void modifiedChanged(bool modified);
    //! The chart at path was opened, or saved there.
    void opened(const QString& path);
    void saved(const QString& path);
    //! Something the user should know, for the status bar.
    void notice(const QString& text);
    //! The unsaved changes can no longer be kept for recovery (kept false, error saying why), or can again.
    void recoveryChanged(bool kept, const QString& error);

  private:
    //! What the file on disk was when it was read or written last.
    struct DiskStamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        quint64 inode = 0;
        bool writable = false;
        friend bool operator==(const DiskStamp&, const DiskStamp&) = default;
    };
    [[nodiscard]] static DiskStamp StampOf(const QString& path);

    //! lock: the chart's open lock when the caller has taken it already.
    void Replace(const QString& text, const QString& path, const ChartFileFormat& format,
                 std::unique_ptr<QLockFile> lock = nullptr);
    void SetFile(const QString& path, const ChartFileFormat& format,
                 std::unique_ptr<QLockFile> lock = nullptr);
    //! The lock file that says the chart at path is open in a Kaz window.
    [[nodiscard]] QString OpenLockName(const QString& path) const;
    [[nodiscard]] bool HoldsOpenLock(const QString& path) const;
    //! Take the lock that tells other windows the chart at path is open here into taken; false when one of
    //! them has it. True, with nothing taken, where no lock can be made.
    [[nodiscard]] bool TakeOpenLock(const QString& path, std::unique_ptr<QLockFile>& taken) const;
    //! Hold the lock of the chart at path in place of the one held; false when another window has it.
    [[nodiscard]] bool LockOpenChart(const QString& path);
    //! Whether another Kaz window has the chart at path open.
    [[nodiscard]] bool IsOpenElsewhere(const QString& path) const;
    //! Read the file again over the text here, keeping the caret and the view.
    void Reload();
    //! Before a save to the chart's own file: true when it may overwrite what is there.
    bool MayOverwrite();
    //! Ask which text to keep of a chart changed here and in its file, and do it; true when the text here
    //! is kept, to be saved over the file's.
    bool KeepMineOverTheirs();
    void Watch();

    ChartEditor& editor_;
    UserPrompts& prompts_;
    QString path_;
    ChartFileFormat format_;
    bool modified_ = false;
    bool readOnly_ = false;
    ChartRecovery recovery_;
    QTimer autosave_;
    QString lockFolder_;
    std::unique_ptr<QLockFile> openLock_;
    QFileSystemWatcher watcher_;
    DiskStamp disk_;
    bool checking_ = false;
    bool keptForRecovery_ = true;
};

}  // namespace kaz
