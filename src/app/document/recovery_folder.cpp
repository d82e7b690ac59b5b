#include "app/document/recovery_folder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/setting_keys.h"

namespace kaz {

namespace {

//! The status of path itself (a link's, not its target's); false when there is nothing there.
bool StatusOf(const QString& path, struct stat& status) {
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

}  // namespace

QString RecoveryFolder() {
    // The program's data folder (AppDataLocation) spelled out, so that every program of ours that asks (a
    // test, a benchmark) finds the same one.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("%1/%2/recovery").arg(kSettingsOrganisation, kSettingsApplication));
}

bool PrepareRecoveryFolder(const QString& folder, std::error_code& error) {
    const QByteArray name = QFile::encodeName(folder);
    struct stat status {};
    if (!StatusOf(folder, status)) {
        QDir().mkpath(QFileInfo(folder).absolutePath());
        // Made closed from the start: an unsaved chart is never readable by others, not even for a moment.
        if (::mkdir(name.constData(), S_IRWXU) != 0 && errno != EEXIST) {
            error = std::error_code(errno, std::system_category());
            return false;
        }
    } else if (S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
               (status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        ::chmod(name.constData(), S_IRWXU);
    }
    if (!QFileInfo(folder).isDir()) {
        error = std::make_error_code(std::errc::not_a_directory);
        return false;
    }
    return true;
}

bool IsPlainFile(const QString& path) {
    struct stat status {};
    return StatusOf(path, status) && S_ISREG(status.st_mode);
}

bool IsPlainFileOrNothing(const QString& path) {
    struct stat status {};
    return !StatusOf(path, status) || S_ISREG(status.st_mode);
}

void MakeOwnerOnly(const QString& path) {
    ::chmod(QFile::encodeName(path).constData(), S_IRUSR | S_IWUSR);
}

bool IsRunning(qint64 pid, const QString& program) {
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)) {
        return false;
    }
    // After a restart the number may belong to another program now.
    QFile name(QStringLiteral("/proc/%1/comm").arg(pid));
    constexpr qsizetype kLongestName = 15;
    return !name.open(QIODevice::ReadOnly) ||
           QString::fromUtf8(name.readAll().trimmed())
                   .compare(program.left(kLongestName), Qt::CaseInsensitive) == 0;
}

QString ThisProgram() {
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

}  // namespace kaz
