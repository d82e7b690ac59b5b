#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "interchange/lead_sheet.h"
#include "interchange/song_formats.h"

namespace kaz {

//! The largest file an import reads: a playlist page of a few thousand songs stays far below it.
inline constexpr std::size_t kMaxImportBytes = std::size_t{64} * 1024 * 1024;

//! Every song of a file in any of the formats the program reads.
[[nodiscard]] ImportedSongs ImportSongs(std::string_view fileName, std::string_view bytes);

}  // namespace kaz
