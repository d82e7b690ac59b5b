#pragma once

#include <cstddef>
#include <string_view>

#include "interchange/lead_sheet.h"

namespace kaz {

//! The most an .mxl archive may unpack to: a lead sheet is a few hundred kilobytes, so anything near this is
//! a zip bomb rather than a song.
inline constexpr std::size_t kMaxUnpackedMusicXmlBytes = std::size_t{32} * 1024 * 1024;

//! The song of a MusicXML file (part-wise or time-wise): title, composer, key, meter, tempo, sections,
//! repeats, endings, jumps, and the chord symbols in their everyday spelling at their places in their
//! measures, from the part that has most of them (and from others where it has none). What the chart cannot
//! hold is named in the problems. A document type declaration is never read, so no entity is expanded and
//! nothing is fetched.
[[nodiscard]] ImportedSongs ReadMusicXml(std::string_view bytes);
//! The same for a compressed .mxl file: the score its container names, unpacked no larger than the limit.
[[nodiscard]] ImportedSongs ReadCompressedMusicXml(std::string_view bytes,
                                                   std::size_t unpackedLimit = kMaxUnpackedMusicXmlBytes);

}  // namespace kaz
