#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interchange/lead_sheet.h"

namespace kaz {

//! Scramble or unscramble a song's music string: the format swaps characters within blocks of 50, and doing
//! it twice gives back the text.
[[nodiscard]] std::string ScrambleMusic(std::string_view music);

//! Whether text holds a link of the format ("irealb://" or the older "irealbook://").
[[nodiscard]] bool HasIrealLink(std::string_view text);
//! Every song of every link in text: a link alone, a text file, or an HTML page with many links. A song that
//! cannot be read is left out with a remark in the result's notes; the result is an error when none can.
[[nodiscard]] ImportedSongs ReadIrealLinks(std::string_view text);

//! One link holding the songs, with the playlist name when there are several.
[[nodiscard]] std::string WriteIrealLink(const std::vector<LeadSheet>& songs, const std::string& playlist);
//! A small HTML page with the link, as the format is usually shared.
[[nodiscard]] std::string WriteIrealPage(const std::vector<LeadSheet>& songs, const std::string& playlist);

}  // namespace kaz
