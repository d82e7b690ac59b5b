#pragma once

#include <system_error>

namespace kaz {

//! The files a reader or a writer takes. The window takes regular files only, so that a FIFO with no one at
//! its other end, or a device that never ends, cannot stop it; kaz-cli takes any file a Unix tool would.
enum class FileKinds { Any, RegularOnly };

//! The reason given for a file refused because it is a FIFO, a device or a socket: "not a regular file".
[[nodiscard]] std::error_code NotRegularFileError();

}  // namespace kaz
