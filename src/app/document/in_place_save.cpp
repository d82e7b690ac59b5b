#include "app/document/in_place_save.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/input_file.h"
#include "base/output_file.h"

namespace kaz {

namespace {

namespace fs = std::filesystem;

QString Tr(const char* text) {
    return QCoreApplication::translate("ChartFile", text);
}

QString Reason(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

//! The group a file made in folder gets: the folder's own when it hands its group on, otherwise ours.
gid_t GroupOfNewFileIn(const fs::path& folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && (status.st_mode & S_ISGID) != 0 ? status.st_gid
                                                                                   : ::getegid();
}

//! Make bytes the whole content of descriptor and have them on disk; false with errno set. The new bytes
//! go over the old before the file is cut to their length, so a failure leaves as much as possible.
bool Overwrite(int descriptor, const char* bytes, std::size_t size) {
    const std::uint64_t start = 0;
    return WriteAll(descriptor, std::string_view(bytes, size), &start) &&
           ::ftruncate(descriptor, static_cast<off_t>(size)) == 0 && ::fsync(descriptor) == 0;
}

//! A new name in folder for the copy of the file called name.
QString CopyPath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(QStringLiteral("%1.%2.before-save")
                                     .arg(name)
                                     .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
}

//! Keep bytes in a new file of folder (made for the owner alone when it is new); its path, or empty with
//! the reason in error.
QString KeepCopy(const QString& folder, const QString& name, const std::string& bytes,
                 std::error_code& error) {
    const fs::path where = QFile::encodeName(folder).toStdString();
    if (fs::create_directories(where, error)) {
        fs::permissions(where, fs::perms::owner_all, error);
    }
    if (error) {
        return {};
    }
    const QString copy = CopyPath(folder, name);
    return WriteWholeFile(QFile::encodeName(copy).toStdString(), bytes, FileKinds::RegularOnly, error)
               ? copy
               : QString();
}

}  // namespace

bool OnlyInPlaceKeepsTheFile(const QString& path, const struct stat& file) {
    if (file.st_nlink > 1 || file.st_uid != ::geteuid()) {
        return true;
    }
    std::error_code error;
    const fs::path target = fs::canonical(QFile::encodeName(path).toStdString(), error);
    return !error && file.st_gid != GroupOfNewFileIn(target.parent_path());
}

bool SaveInPlace(const QString& path, const QByteArray& bytes, const QString& recoveryFolder,
                 QString& error) {
    const std::string target = QFile::encodeName(path).toStdString();
    const QString cannotSave = Tr("Cannot save file `%1`: %2. The file on disk is as it was.");
    // Opened first: a file that cannot be written is refused before anything is copied. Without blocking,
    // should a FIFO have taken the file's place.
    const int descriptor = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        error = cannotSave.arg(path, Reason(errno));
        return false;
    }
    struct stat file {};
    if (::fstat(descriptor, &file) != 0 || !S_ISREG(file.st_mode)) {
        ::close(descriptor);
        error = Tr("Cannot save file `%1`: it is not a regular file.").arg(path);
        return false;
    }
    RemoveStaleTemporaryFiles(target);
    const InputFile old = ReadWholeFile(target, kMaxChartBytes, FileKinds::RegularOnly);
    std::error_code copyError = old.reason;
    const QString copy =
        old.Read() ? KeepCopy(recoveryFolder, QFileInfo(path).fileName(), old.bytes, copyError) : QString();
    if (copy.isEmpty()) {
        ::close(descriptor);
        error =
            Tr("Cannot save file `%1`: what it holds could not be kept in `%2` before writing over it (%3). "
               "The file on disk is as it was.")
                .arg(path, recoveryFolder,
                     old.tooLarge ? Tr("it is too large")
                                  : QString::fromLocal8Bit(copyError.message().c_str()));
        return false;
    }
    if (Overwrite(descriptor, bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        ::close(descriptor);
        QFile::remove(copy);
        return true;
    }
    const QString reason = Reason(errno);
    const bool restored = Overwrite(descriptor, old.bytes.data(), old.bytes.size());
    ::close(descriptor);
    if (restored) {
        QFile::remove(copy);
        error = cannotSave.arg(path, reason);
    } else {
        error = Tr("Cannot save file `%1`: %2. The file may be damaged; what it held before is kept in `%3`.")
                    .arg(path, reason, copy);
    }
    return false;
}

}  // namespace kaz
