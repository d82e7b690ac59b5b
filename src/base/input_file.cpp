#include "base/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kaz {

namespace {

constexpr std::size_t kReadChunkBytes = 1 << 16;

void CannotRead(InputFile& input, const std::string& name, int errorNumber) {
    input.bytes.clear();
    input.reason = std::error_code(errorNumber, std::generic_category());
    input.error = "cannot read '" + name + "': " + std::strerror(errorNumber);
}

void NotRegular(InputFile& input, const std::string& name) {
    input.bytes.clear();
    input.reason = NotRegularFileError();
    input.error = "'" + name + "' is not a regular file";
}

//! A limit as a musician reads it: "16 MiB", "512 KiB", "100 bytes".
std::string SizeOf(std::size_t bytes) {
    constexpr std::size_t kKibibyte = 1024;
    if (bytes >= kKibibyte * kKibibyte && bytes % (kKibibyte * kKibibyte) == 0) {
        return std::to_string(bytes / (kKibibyte * kKibibyte)) + " MiB";
    }
    if (bytes >= kKibibyte && bytes % kKibibyte == 0) {
        return std::to_string(bytes / kKibibyte) + " KiB";
    }
    return std::to_string(bytes) + " bytes";
}

void TooLarge(InputFile& input, const std::string& name, std::size_t limit) {
    input.bytes.clear();
    input.tooLarge = true;
    input.error =
        limit == kMaxChartBytes
            ? "'" + name + "' is too large to be a chart: Kaz reads charts of up to " + SizeOf(limit)
            : "'" + name + "' is too large: Kaz reads files of up to " + SizeOf(limit) + " here";
}

//! Read descriptor to its end. A regular file is read in one go at the size it says it has.
InputFile ReadDescriptor(int descriptor, const std::string& name, std::size_t limit, FileKinds kinds) {
    InputFile input;
    struct stat file {};
    if (::fstat(descriptor, &file) != 0) {
        CannotRead(input, name, errno);
        return input;
    }
    if (S_ISDIR(file.st_mode)) {
        CannotRead(input, name, EISDIR);
        return input;
    }
    if (kinds == FileKinds::RegularOnly && !S_ISREG(file.st_mode)) {
        NotRegular(input, name);
        return input;
    }
    std::size_t expected = 0;
    if (S_ISREG(file.st_mode)) {
        if (static_cast<std::uintmax_t>(file.st_size) > limit) {
            TooLarge(input, name, limit);
            return input;
        }
        expected = static_cast<std::size_t>(file.st_size);
    }
    std::string& bytes = input.bytes;
    std::size_t size = 0;
    // One byte more than expected sees the end in the same pass; past the limit is an error.
    bytes.resize(std::min(expected + 1, limit + 1));
    for (;;) {
        if (size == bytes.size()) {
            if (size > limit) {
                TooLarge(input, name, limit);
                return input;
            }
            bytes.resize(std::min(std::max(2 * size, kReadChunkBytes), limit + 1));
        }
        const ssize_t got = ::read(descriptor, bytes.data() + size, bytes.size() - size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            CannotRead(input, name, errno);
            return input;
        }
        if (got == 0) {
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    if (size > limit) {
        TooLarge(input, name, limit);
        return input;
    }
    bytes.resize(size);
    return input;
}

}  // namespace

InputFile ReadWholeFile(const std::filesystem::path& path, std::size_t limit, FileKinds kinds) {
    InputFile input;
    struct stat file {};
    // Looked at before it is opened: opening a device can act on it, and a FIFO waits for a writer.
    if (kinds == FileKinds::RegularOnly && ::stat(path.c_str(), &file) == 0 && !S_ISREG(file.st_mode) &&
        !S_ISDIR(file.st_mode)) {
        NotRegular(input, path.string());
        return input;
    }
    // Should a FIFO take the file's place in the meantime, it opens at once and is refused once opened.
    const int flags = O_RDONLY | O_CLOEXEC | (kinds == FileKinds::RegularOnly ? O_NONBLOCK : 0);
    const int descriptor = ::open(path.c_str(), flags);
    if (descriptor < 0) {
        CannotRead(input, path.string(), errno);
        return input;
    }
    input = ReadDescriptor(descriptor, path.string(), limit, kinds);
    ::close(descriptor);
    return input;
}

InputFile ReadStandardInput(std::size_t limit) {
    return ReadDescriptor(STDIN_FILENO, "-", limit, FileKinds::Any);
}

}  // namespace kaz
