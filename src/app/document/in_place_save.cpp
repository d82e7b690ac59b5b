#include "app/document/in_place_save.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "app/document/chart_file.h"
#include "base/input_file.h"
#include "base/output_file.h"

namespace kaz {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCopySuffix = ".before-save";
constexpr int kNoteVersion = 1;

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
    return QDir(folder).filePath(QStringLiteral("%1.%2%3")
                                     .arg(name)
                                     .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                                     .arg(QLatin1String(kCopySuffix)));
}

//! The note beside a copy that says which file it is of and which run made it.
QString NoteOf(const QString& copy) {
    return copy + QStringLiteral(".json");
}

//! Make bytes a new file at path, for its owner alone.
bool WriteOwnFile(const QString& path, std::string_view bytes, std::error_code& error) {
    if (!WriteWholeFile(QFile::encodeName(path).toStdString(), bytes, FileKinds::RegularOnly, error)) {
        return false;
    }
    MakeOwnerOnly(path);
    return true;
}

//! Keep bytes, what the file at path holds, in a new file of folder with its note; the copy's path, or empty
//! with the reason in error.
QString KeepCopy(const QString& folder, const QString& path, const std::string& bytes,
                 std::error_code& error) {
    if (!PrepareRecoveryFolder(folder, error)) {
        return {};
    }
    const QString copy = CopyPath(folder, QFileInfo(path).fileName());
    const QJsonObject note{{QStringLiteral("version"), kNoteVersion},
                           {QStringLiteral("path"), CanonicalChartPath(path)},
                           {QStringLiteral("pid"), QCoreApplication::applicationPid()},
                           {QStringLiteral("program"), ThisProgram()}};
    // The note first: a copy is never left without the name of its file.
    if (!WriteOwnFile(NoteOf(copy), QJsonDocument(note).toJson(QJsonDocument::Compact).toStdString(),
                      error)) {
        return {};
    }
    if (!WriteOwnFile(copy, bytes, error)) {
        QFile::remove(NoteOf(copy));
        return {};
    }
    return copy;
}

void ForgetCopy(const QString& copy) {
    QFile::remove(copy);
    QFile::remove(NoteOf(copy));
}

//! Whether the run numbered pid, other than this one, is still going: its save may not be done.
bool IsAnotherLiveRun(qint64 pid, const QString& program) {
    return pid != QCoreApplication::applicationPid() && IsRunning(pid, program);
}

//! The bytes of the regular file at path, up to a chart's size; nothing when it cannot be read so.
std::optional<std::string> ReadRegularFile(const QString& path, std::size_t limit = kMaxChartBytes) {
    InputFile input = ReadWholeFile(QFile::encodeName(path).toStdString(), limit, FileKinds::RegularOnly);
    if (!input.Read()) {
        return std::nullopt;
    }
    return std::move(input.bytes);
}

//! The unfinished save whose copy is at copy, when it is one.
std::optional<UnfinishedSave> ReadUnfinishedSave(const QString& copy) {
    constexpr std::size_t kLongestNote = 64 * 1024;
    const std::optional<std::string> noteBytes = IsPlainFile(NoteOf(copy)) && IsPlainFile(copy)
                                                     ? ReadRegularFile(NoteOf(copy), kLongestNote)
                                                     : std::nullopt;
    if (!noteBytes) {
        return std::nullopt;
    }
    const QJsonObject note = QJsonDocument::fromJson(QByteArray::fromStdString(*noteBytes)).object();
    const QString path = note.value(QStringLiteral("path")).toString();
    if (note.value(QStringLiteral("version")).toInt() != kNoteVersion || path.isEmpty() ||
        IsAnotherLiveRun(note.value(QStringLiteral("pid")).toInteger(),
                         note.value(QStringLiteral("program")).toString())) {
        return std::nullopt;
    }
    const std::optional<std::string> old = ReadRegularFile(copy);
    if (!old) {
        return std::nullopt;
    }
    if (ReadRegularFile(path) == old) {
        // The chart holds what it held before: the write never began, or was undone.
        ForgetCopy(copy);
        return std::nullopt;
    }
    return UnfinishedSave{copy, path, QFileInfo(copy).lastModified()};
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
    const QString cannotSave =
        QCoreApplication::translate("ChartFile", "Cannot save file `%1`: %2. The file on disk is as it was.");
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
        error = QCoreApplication::translate("ChartFile", "Cannot save file `%1`: it is not a regular file.")
                    .arg(path);
        return false;
    }
    RemoveStaleTemporaryFiles(target);
    const InputFile old = ReadWholeFile(target, kMaxChartBytes, FileKinds::RegularOnly);
    std::error_code copyError = old.reason;
    const QString copy = old.Read() ? KeepCopy(recoveryFolder, path, old.bytes, copyError) : QString();
    if (copy.isEmpty()) {
        ::close(descriptor);
        error =
            QCoreApplication::translate(
                "ChartFile",
                "Cannot save file `%1`: what it holds could not be kept in `%2` before writing over it (%3). "
                "The file on disk is as it was.")
                .arg(path, recoveryFolder,
                     old.tooLarge ? QCoreApplication::translate("ChartFile", "it is too large")
                                  : QString::fromLocal8Bit(copyError.message().c_str()));
        return false;
    }
    if (Overwrite(descriptor, bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        ::close(descriptor);
        ForgetCopy(copy);
        return true;
    }
    const QString reason = Reason(errno);
    const bool restored = Overwrite(descriptor, old.bytes.data(), old.bytes.size());
    ::close(descriptor);
    if (restored) {
        ForgetCopy(copy);
        error = cannotSave.arg(path, reason);
    } else {
        error =
            QCoreApplication::translate(
                "ChartFile",
                "Cannot save file `%1`: %2. The file may be damaged; what it held before is kept in `%3`.")
                .arg(path, reason, copy);
    }
    return false;
}

std::vector<UnfinishedSave> UnfinishedSaves(const QString& recoveryFolder) {
    std::vector<UnfinishedSave> saves;
    const QDir folder(recoveryFolder);
    const QStringList names = folder.entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::NoSort);
    for (const QString& name : names) {
        if (name.endsWith(QLatin1String(kCopySuffix))) {
            if (std::optional<UnfinishedSave> save = ReadUnfinishedSave(folder.filePath(name))) {
                saves.push_back(std::move(*save));
            }
        }
    }
    return saves;
}

bool PutBackOldBytes(const UnfinishedSave& save, const QString& recoveryFolder, QString& error) {
    const std::optional<std::string> old = ReadRegularFile(save.copy);
    if (!old) {
        error = QCoreApplication::translate(
                    "ChartFile", "What `%1` held before it was saved can no longer be read from `%2`.")
                    .arg(save.path, save.copy);
        return false;
    }
    if (!WriteChartFile(save.path, QByteArray::fromStdString(*old), recoveryFolder, error)) {
        return false;
    }
    ForgetCopy(save.copy);
    return true;
}

void ForgetUnfinishedSave(const UnfinishedSave& save) {
    ForgetCopy(save.copy);
}

}  // namespace kaz
