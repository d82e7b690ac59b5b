#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>

namespace kaz::test {

//! Make a character device node at path, as /dev/null (1, 3), /dev/zero (1, 5) or /dev/full (1, 7) are made.
//! False where this process may not make device nodes.
inline bool MakeCharacterDevice(const std::filesystem::path& path, unsigned major, unsigned minor) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(major, minor)) == 0;
}

//! Whether path is still the kind of node it was made as, not a regular file put in its place.
inline bool IsCharacterDevice(const std::filesystem::path& path) {
    return std::filesystem::is_character_file(std::filesystem::symlink_status(path));
}
inline bool IsFifo(const std::filesystem::path& path) {
    return std::filesystem::is_fifo(std::filesystem::symlink_status(path));
}

//! Everything written into the FIFO at path, read on another thread until the writer closes it.
inline std::future<std::string> ReadFifo(const std::filesystem::path& path) {
    return std::async(std::launch::async, [path] {
        std::ifstream fifo(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(fifo), std::istreambuf_iterator<char>());
    });
}

//! Write text into the FIFO at path on another thread; done once a reader has taken it all.
inline std::future<void> FeedFifo(const std::filesystem::path& path, std::string text) {
    return std::async(std::launch::async,
                      [path, text = std::move(text)] { std::ofstream(path, std::ios::binary) << text; });
}

}  // namespace kaz::test
