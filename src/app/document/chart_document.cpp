#include "app/document/chart_document.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

#include "app/editor/chart_editor.h"
#include "app/file_dialogs.h"
#include "app/user_prompts.h"

namespace kaz {

namespace {

//! How long after the last key the unsaved text goes to the recovery file.
constexpr int kAutosaveDelayMs = 2000;
//! How long after the file changes the window looks at it: a program writing it may not have finished.
constexpr int kSettleMs = 200;

//! The path that stands for the chart at path in the locks, the same for every way of naming the file.
QString LockName(const QString& path) {
    return QStringLiteral("open-%1.lock")
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(CanonicalChartPath(path).toUtf8(), QCryptographicHash::Sha1).toHex()));
}

}  // namespace

ChartDocument::ChartDocument(ChartEditor& editor, UserPrompts& prompts, const QString& recoveryFolder,
                             QObject* parent)
    : QObject(parent),
      editor_(editor),
      prompts_(prompts),
      recovery_(recoveryFolder),
      lockFolder_(recoveryFolder) {
    autosave_.setSingleShot(true);
    autosave_.setInterval(kAutosaveDelayMs);
    connect(&autosave_, &QTimer::timeout, this, &ChartDocument::KeepForRecovery);
    connect(editor_.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != 0 || added != 0) {
            SetModified(true);
            autosave_.start();
        }
    });
    const auto settle = [this] { QTimer::singleShot(kSettleMs, this, &ChartDocument::CheckOutsideChanges); };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, settle);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, settle);
}

ChartDocument::~ChartDocument() = default;

void ChartDocument::SetModified(bool modified) {
    if (modified == modified_) {
        return;
    }
    modified_ = modified;
    if (!modified) {
        // Saved, or its changes given up: there is nothing left to recover.
        autosave_.stop();
        recovery_.Remove();
    }
    emit modifiedChanged(modified);
}

QString ChartDocument::DisplayName() const {
    return path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
}

void ChartDocument::StartNew(const QString& path) {
    Replace(QString(), path, ChartFileFormat{});
}

void ChartDocument::StartUnsaved(const QString& text) {
    Replace(text, QString(), ChartFileFormat{});
    SetModified(true);
    autosave_.start();
}

void ChartDocument::Restore(const RecoveredChart& chart) {
    Replace(chart.text, chart.path, chart.format);
    SetModified(true);
    // Kept again as this run's own before the old file goes.
    KeepForRecovery();
    ChartRecovery::Forget(chart);
}

bool ChartDocument::Load(const QString& path) {
    QByteArray bytes;
    QString error;
    if (!ReadChartFile(path, bytes, error)) {
        prompts_.Tell(error, MessageIcon::Exclamation);
        return false;
    }
    // The lock is taken here, before the question, rather than looked at first: each try writes a file.
    std::unique_ptr<QLockFile> lock;
    if (!HoldsOpenLock(path) && !TakeOpenLock(path, lock) && !prompts_.AskOpenReadOnly(path)) {
        return false;
    }
    const ChartText chart = DecodeChart(bytes);
    Replace(chart.text, path, chart.format, std::move(lock));
    emit opened(path);
    if (readOnly_) {
        emit notice(tr("%1 is open in another Kaz window: Save asks for another name").arg(DisplayName()));
    }
    return true;
}

bool ChartDocument::Save() {
    return path_.isEmpty() || readOnly_ ? SaveAs() : SaveTo(path_);
}

bool ChartDocument::SaveAs() {
    const QString path = prompts_.AskFileName(FileQuestion::SaveAs, SuggestedExportPath(path_, "kaz"));
    return !path.isEmpty() && SaveTo(path);
}

bool ChartDocument::SaveTo(const QString& path) {
    const bool ownFile = !path_.isEmpty() && LockName(path) == LockName(path_);
    if (ownFile && !readOnly_ && !MayOverwrite()) {
        return false;
    }
    if ((!ownFile || readOnly_) && IsOpenElsewhere(path)) {
        prompts_.Tell(tr("`%1` is open in another Kaz window. Save the chart under another name.").arg(path),
                      MessageIcon::Exclamation);
        return false;
    }
    ChartFileFormat format = format_;
    QByteArray bytes;
    if (!EncodeChart(editor_.Text(), format, bytes)) {
        if (!prompts_.AskSaveAsUtf8()) {
            return false;
        }
        format.encoding = ChartFileFormat::Encoding::Utf8;
        static_cast<void>(EncodeChart(editor_.Text(), format, bytes));
    }
    QString error;
    if (!WriteChartFile(path, bytes, RecoveryFolder(), error)) {
        prompts_.Tell(error, MessageIcon::Exclamation);
        return false;
    }
    SetFile(path, format);
    emit saved(path);
    return true;
}

bool ChartDocument::MaybeSave() {
    if (!modified_) {
        return true;
    }
    switch (prompts_.AskSaveChanges(DisplayName())) {
        case SaveChangesAnswer::Save:
            return Save();
        case SaveChangesAnswer::Discard:
            recovery_.Remove();
            return true;
        case SaveChangesAnswer::Cancel:
            break;
    }
    return false;
}

void ChartDocument::KeepForRecovery() {
    autosave_.stop();
    if (!modified_) {
        return;
    }
    QString error;
    const bool kept = recovery_.Write(path_, format_, editor_.Text(), error);
    // Said once when the keeping stops, and once when it works again.
    if (kept == keptForRecovery_) {
        return;
    }
    keptForRecovery_ = kept;
    emit recoveryChanged(kept, error);
}

bool ChartDocument::TakesRestored(const QString& path) const {
    if (modified_) {
        return false;
    }
    if (path_.isEmpty()) {
        return editor_.document()->isEmpty();
    }
    return !path.isEmpty() && CanonicalChartPath(path) == CanonicalChartPath(path_);
}

void ChartDocument::CheckOutsideChanges() {
    if (path_.isEmpty() || checking_) {
        return;
    }
    const DiskStamp now = StampOf(path_);
    if (now == disk_) {
        return;
    }
    checking_ = true;
    const DiskStamp was = disk_;
    // Each change is dealt with once, whatever the answer.
    disk_ = now;
    if (!now.exists) {
        SetModified(true);
        prompts_.Tell(
            tr("`%1` was deleted or moved by another program. The chart stays here, not saved.").arg(path_),
            MessageIcon::Exclamation);
    } else if (was.exists && now.size == was.size && now.modified == was.modified && now.inode == was.inode) {
        emit notice(now.writable ? tr("%1 can be written again").arg(DisplayName())
                                 : tr("%1 was made read-only by another program").arg(DisplayName()));
    } else if (!modified_) {
        Reload();
        emit notice(tr("Reloaded %1: another program changed it").arg(DisplayName()));
    } else {
        static_cast<void>(KeepMineOverTheirs());
    }
    Watch();
    checking_ = false;
}

bool ChartDocument::MayOverwrite() {
    const DiskStamp now = StampOf(path_);
    if (!now.exists || now == disk_) {
        return true;
    }
    disk_ = now;
    return KeepMineOverTheirs();
}

bool ChartDocument::KeepMineOverTheirs() {
    switch (prompts_.AskOutsideChange(DisplayName())) {
        case OutsideChangeAnswer::KeepMine:
            return true;
        case OutsideChangeAnswer::TakeTheirs:
            Reload();
            break;
        case OutsideChangeAnswer::SaveMineAs:
            static_cast<void>(SaveAs());
            break;
    }
    return false;
}

void ChartDocument::Reload() {
    QByteArray bytes;
    QString error;
    if (!ReadChartFile(path_, bytes, error)) {
        prompts_.Tell(error, MessageIcon::Exclamation);
        SetModified(true);
        return;
    }
    const ChartText chart = DecodeChart(bytes);
    emit aboutToReplace();
    editor_.ReplaceAllWithoutUndo(chart.text);
    format_ = chart.format;
    editor_.SetCrLfLineBreaks(format_.lineEnding == ChartFileFormat::LineEnding::CrLf);
    disk_ = StampOf(path_);
    SetModified(false);
}

QString ChartDocument::EditorText(const std::string& compiled) const {
    QString text = QString::fromUtf8(compiled);
    if (format_.lineEnding == ChartFileFormat::LineEnding::CrLf) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return text;
}

ChartDocument::DiskStamp ChartDocument::StampOf(const QString& path) {
    DiskStamp stamp;
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return stamp;
    }
    const QFileInfo file(path);
    stamp.exists = true;
    stamp.size = file.size();
    stamp.modified = file.lastModified();
    stamp.inode = static_cast<quint64>(status.st_ino);
    stamp.writable = file.isWritable();
    return stamp;
}

void ChartDocument::Replace(const QString& text, const QString& path, const ChartFileFormat& format,
                            std::unique_ptr<QLockFile> lock) {
    emit aboutToReplace();
    editor_.SetDocumentText(text);
    SetFile(path, format, std::move(lock));
}

void ChartDocument::SetFile(const QString& path, const ChartFileFormat& format,
                            std::unique_ptr<QLockFile> lock) {
    path_ = path;
    format_ = format;
    editor_.SetCrLfLineBreaks(format.lineEnding == ChartFileFormat::LineEnding::CrLf);
    if (lock != nullptr) {
        openLock_ = std::move(lock);
        readOnly_ = false;
    } else {
        readOnly_ = !path.isEmpty() && !LockOpenChart(path);
    }
    disk_ = StampOf(path);
    Watch();
    emit pathChanged(path);
    SetModified(false);
}

QString ChartDocument::OpenLockName(const QString& path) const {
    return QDir(lockFolder_).filePath(LockName(path));
}

bool ChartDocument::HoldsOpenLock(const QString& path) const {
    return openLock_ != nullptr && openLock_->fileName() == OpenLockName(path);
}

bool ChartDocument::IsOpenElsewhere(const QString& path) const {
    if (HoldsOpenLock(path)) {
        return false;
    }
    // Taken and given back at once when nobody holds it; a lock that cannot be made at all (no recovery
    // folder yet, one that cannot be written, or something else than a file in its place) says nothing
    // about other windows.
    if (!IsPlainFileOrNothing(OpenLockName(path))) {
        return false;
    }
    QLockFile lock(OpenLockName(path));
    lock.setStaleLockTime(0);
    return !lock.tryLock(0) && lock.error() == QLockFile::LockFailedError;
}

bool ChartDocument::TakeOpenLock(const QString& path, std::unique_ptr<QLockFile>& taken) const {
    std::error_code error;
    // Where no lock can be made, none is taken: not in a folder that is not there, nor over a FIFO.
    if (!PrepareRecoveryFolder(lockFolder_, error) || !IsPlainFileOrNothing(OpenLockName(path))) {
        return true;
    }
    auto lock = std::make_unique<QLockFile>(OpenLockName(path));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        // Only another window's lock makes the chart read-only here, not a folder that takes no lock.
        return lock->error() != QLockFile::LockFailedError;
    }
    taken = std::move(lock);
    return true;
}

bool ChartDocument::LockOpenChart(const QString& path) {
    if (HoldsOpenLock(path)) {
        return true;
    }
    openLock_.reset();
    return TakeOpenLock(path, openLock_);
}

void ChartDocument::Watch() {
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    if (path_.isEmpty()) {
        return;
    }
    // The folder too: a program that replaces the file gives it a new inode, which the file's watch loses.
    const QFileInfo file(path_);
    if (file.exists()) {
        watcher_.addPath(file.absoluteFilePath());
    }
    if (QFileInfo::exists(file.absolutePath())) {
        watcher_.addPath(file.absolutePath());
    }
}

}  // namespace kaz
