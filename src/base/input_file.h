#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>

#include "base/file_kinds.h"

namespace kaz {

//! The largest chart the program reads, in the window and on the command line. A chart's offsets are 32-bit,
//! but the longest song the tick counter holds (about a million 4/4 measures) is written in a few megabytes:
//! 16 MiB leaves room for comments and keeps a device or a FIFO that never ends from being read for long.
inline constexpr std::size_t kMaxChartBytes = std::size_t{16} * 1024 * 1024;

//! The longest line of a chart the window opens, in characters. The editor lays out and highlights a whole
//! line at every keystroke, so the time of a keystroke grows with the length of its line: measured with the
//! highlighter and the live check at work (bench/window_bench, BM_TypingOnALongLine), on a busy machine of
//! two cores, no keystroke took more than 40 ms on a line of 3,000 characters, and up to 70 ms on one of
//! 10,000 (350 ms on 30,000). A line of 3,000 characters holds some 300 measures; kaz-cli has no such limit.
inline constexpr std::size_t kMaxChartLineCharacters = 3000;

//! The bytes of a file as read, or why they could not be read.
struct InputFile {
    std::string bytes;
    //! Empty when the file was read whole; otherwise the reason, in words for the user, naming the file.
    std::string error;
    //! The same in parts, for callers with words of their own: the system's reason, or that it was too large.
    std::error_code reason;
    bool tooLarge = false;

    [[nodiscard]] bool Read() const { return error.empty(); }
};

//! Read the whole of path. A regular file larger than limit is refused at once; a FIFO, a terminal or a
//! device is read until its end or until it has given more than limit bytes, which is an error too. With
//! FileKinds::RegularOnly anything but a regular file is refused (reason NotRegularFileError()) without
//! waiting for it to open.
[[nodiscard]] InputFile ReadWholeFile(const std::filesystem::path& path, std::size_t limit = kMaxChartBytes,
                                      FileKinds kinds = FileKinds::Any);
//! The same for the program's standard input, named "-" in messages.
[[nodiscard]] InputFile ReadStandardInput(std::size_t limit = kMaxChartBytes);

}  // namespace kaz
