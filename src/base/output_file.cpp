#include "base/output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace kaz {

namespace {

namespace fs = std::filesystem;

//! True when path names the very file the program's standard output is open on.
bool IsStandardOutput(const struct stat& file) {
    struct stat output {};
    return ::fstat(STDOUT_FILENO, &output) == 0 && output.st_dev == file.st_dev &&
           output.st_ino == file.st_ino;
}

//! The name of a temporary file of target, with its eight random hex digits.
std::string TemporaryName(const std::string& target, unsigned random) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", random);
    return "." + target + suffix;
}

//! True when name is one that TemporaryName gives for target.
bool IsTemporaryNameOf(std::string_view name, std::string_view target) {
    constexpr std::size_t kDigits = 8;
    constexpr std::string_view kTail = ".tmp";
    // ".", target, ".", the digits, the tail.
    if (name.size() != target.size() + 2 + kDigits + kTail.size() || name.front() != '.' ||
        name.substr(1, target.size()) != target || name[1 + target.size()] != '.' || !name.ends_with(kTail)) {
        return false;
    }
    const std::string_view hex = name.substr(target.size() + 2, kDigits);
    return hex.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

}  // namespace

bool WriteAll(int descriptor, std::string_view bytes, const std::uint64_t* offset) {
    std::uint64_t at = offset != nullptr ? *offset : 0;
    while (!bytes.empty()) {
        const ssize_t written = offset != nullptr
                                    ? ::pwrite(descriptor, bytes.data(), bytes.size(), static_cast<off_t>(at))
                                    : ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        at += static_cast<std::uint64_t>(written);
    }
    return true;
}

void RemoveStaleTemporaryFiles(const fs::path& target) {
    const std::string name = target.filename().string();
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Read with the system's own calls: a folder of thousands of files is passed over by name, without a
    // path made for every entry, before the target's file is written.
    DIR* const listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const auto now = std::chrono::system_clock::now();
    while (const dirent* entry = ::readdir(listing)) {
        struct stat file {};
        // Only a file of ours, never what a link points at.
        if (!IsTemporaryNameOf(entry->d_name, name) ||
            ::fstatat(::dirfd(listing), entry->d_name, &file, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(file.st_mode) || file.st_uid != ::geteuid()) {
            continue;
        }
        const auto modified = std::chrono::system_clock::from_time_t(file.st_mtim.tv_sec);
        if (now - modified > kStaleTemporaryAge) {
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
        }
    }
    ::closedir(listing);
}

OutputFile::~OutputFile() {
    Abandon();
}

bool OutputFile::Open(const fs::path& path, FileKinds kinds) {
    if (IsOpen()) {
        return false;
    }
    if (path.empty() || !path.has_filename()) {
        return Fail(ENOENT);
    }
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0) {
        // Nothing there yet (or a link to nothing): a new regular file.
        return errno == ENOENT ? OpenTemporaryBeside(path) : Fail(errno);
    }
    if (S_ISDIR(file.st_mode)) {
        return Fail(EISDIR);
    }
    if (kinds == FileKinds::RegularOnly && !S_ISREG(file.st_mode)) {
        return Fail(NotRegularFileError());
    }
    if (kinds == FileKinds::Any && IsStandardOutput(file)) {
        return OpenStandardOutput();
    }
    if (!S_ISREG(file.st_mode)) {
        // A FIFO or a device is written where it is; opening a FIFO waits for its reader, as for any writer.
        return OpenDirect(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    }
    // Fail now rather than at the end when the file may not be written: the check writes nothing.
    if (::access(path.c_str(), W_OK) != 0) {
        return Fail(errno);
    }
    // A link keeps pointing where it did: the file it names is the one replaced.
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    if (error) {
        error_ = error;
        return false;
    }
    return OpenTemporaryBeside(target);
}

bool OutputFile::Fail(int errorNumber) {
    return Fail(std::error_code(errorNumber, std::generic_category()));
}

bool OutputFile::Fail(std::error_code error) {
    error_ = error;
    failed_ = true;
    return false;
}

bool OutputFile::OpenStandardOutput() {
    if (IsOpen()) {
        return false;
    }
    // What the program has printed through stdio goes first.
    std::fflush(stdout);
    return OpenDirect(::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0));
}

bool OutputFile::OpenDirect(int descriptor) {
    if (descriptor < 0) {
        return Fail(errno);
    }
    Begin(descriptor);
    return true;
}

void OutputFile::Begin(int descriptor) {
    descriptor_ = descriptor;
    failed_ = false;
    error_.clear();
    written_ = handedToDisk_ = 0;
}

bool OutputFile::OpenTemporaryBeside(const fs::path& target) {
    constexpr int kAttempts = 16;
    RemoveStaleTemporaryFiles(target);
    std::random_device random;
    const std::string name = target.filename().string();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // A hidden name, so that a folder listing does not show a file in progress.
        fs::path temporary = target.parent_path() / TemporaryName(name, static_cast<unsigned>(random()));
        // O_EXCL: never reuse a file of that name.
        const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            Begin(descriptor);
            target_ = target;
            temporary_ = std::move(temporary);
            return true;
        }
        if (errno != EEXIST) {
            return Fail(errno);
        }
    }
    return Fail(EEXIST);
}

bool OutputFile::Write(std::string_view bytes) {
    if (!IsOpen() || failed_) {
        return false;
    }
    if (!WriteAll(descriptor_, bytes)) {
        return Fail(errno);
    }
    written_ += bytes.size();
    if (CanRewrite() && written_ - handedToDisk_ >= kWritebackBytes) {
        StartWriteback();
    }
    return true;
}

void OutputFile::StartWriteback() {
#ifdef __linux__
    // Only a hint: Commit's fsync still waits for every byte and reports any error.
    ::sync_file_range(descriptor_, static_cast<off_t>(handedToDisk_),
                      static_cast<off_t>(written_ - handedToDisk_), SYNC_FILE_RANGE_WRITE);
#endif
    handedToDisk_ = written_;
}

bool OutputFile::Rewrite(std::uint64_t offset, std::string_view bytes) {
    if (!IsOpen() || failed_ || !CanRewrite()) {
        return false;
    }
    return WriteAll(descriptor_, bytes, &offset) || Fail(errno);
}

bool OutputFile::Commit() {
    if (!IsOpen()) {
        return false;
    }
    const int descriptor = std::exchange(descriptor_, -1);
    if (!CanRewrite()) {
        return (::close(descriptor) == 0 || Fail(errno)) && !failed_;
    }
    // Keep the permissions of the file being replaced.
    struct stat old {};
    bool ok = !failed_ && (::stat(target_.c_str(), &old) != 0 ||
                           ::fchmod(descriptor, old.st_mode & 07777) == 0 || Fail(errno));
    ok = ok && (::fsync(descriptor) == 0 || Fail(errno));
    ok = (::close(descriptor) == 0 || Fail(errno)) && ok;
    ok = ok && (::rename(temporary_.c_str(), target_.c_str()) == 0 || Fail(errno));
    if (!ok) {
        ::unlink(temporary_.c_str());
    }
    target_.clear();
    temporary_.clear();
    return ok;
}

void OutputFile::Abandon() {
    if (!IsOpen()) {
        return;
    }
    ::close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
    target_.clear();
    temporary_.clear();
    failed_ = true;
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes) {
    std::error_code error;
    return WriteWholeFile(path, bytes, FileKinds::Any, error);
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes, FileKinds kinds, std::error_code& error) {
    OutputFile file;
    const bool written = file.Open(path, kinds) && file.Write(bytes) && file.Commit();
    error = written ? std::error_code() : file.Error();
    return written;
}

}  // namespace kaz
