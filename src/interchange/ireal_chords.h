#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kaz {

//! The everyday spelling of a chord quality as a link writes it ("-7" is "m7", "h7" "m7b5", "^7" "maj7"), or
//! nothing when the quality is not one the format knows.
[[nodiscard]] std::optional<std::string> EverydayQuality(std::string_view linkQuality);
//! The length of the longest chord quality of the format at the start of text; 0 when none starts there.
[[nodiscard]] std::size_t LinkQualityLength(std::string_view text);
//! The format's spelling of a chart's chord suffix (everyday or the chart language's own, "m7-5", "7-9").
struct LinkSpelling {
    std::string quality;
    //! Whether the quality, read back in its everyday spelling, plays the chord the suffix plays; where the
    //! format has no such quality, the nearest spelling it has.
    bool exact = true;
};
[[nodiscard]] LinkSpelling LinkQuality(std::string_view chartSuffix);

}  // namespace kaz
