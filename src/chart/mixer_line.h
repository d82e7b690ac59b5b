#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chart/comment_line.h"
#include "style/band_part.h"

namespace kaz {

//! The comment line that keeps a chart's mix: "#kaz:mixer=" and, for each part the user has set, its name and
//! settings, parts apart by commas: "#kaz:mixer=comping 90 pan 40, drums solo, bass mute, minus-one guitar".
inline constexpr std::string_view kMixerLinePrefix = "#kaz:mixer=";

//! What the mixer keeps of parts, as the comment line writes it; empty when every part is as the style has
//! it.
[[nodiscard]] std::string MixerCode(const BandParts& parts);
//! The mixer settings of code into parts: the volume, pan, mute and solo of each part it names, and the
//! minus-one choice. Words the program does not know are passed over.
void ReadMixerCode(std::string_view code, BandParts& parts);

//! parts with the mix the chart's comment line keeps, over what they had.
[[nodiscard]] BandParts WithChartMixer(std::string_view text, BandParts parts);
//! The change that keeps the mix of parts in text; the line goes when nothing is set.
[[nodiscard]] std::optional<TextChange> MixerLineChange(std::string_view text, const BandParts& parts);

}  // namespace kaz
