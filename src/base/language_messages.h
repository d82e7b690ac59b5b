#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kaz {

//! The messages of the chart language's German spellings, key marks and tempo marks, in one
//! place: plain English with numbered places ("%1", "%2") for their values, so that a window can look the
//! same text up in a translation and fill in the values there.
namespace messages {

//! %1 the chart written in English names: "F#7".
inline constexpr std::string_view kGermanNameInEnglish =
    "A German note name in English notation (write %1, or choose German notation)";
//! %1 the chart written with a capital and "m": "Dm7".
inline constexpr std::string_view kLowercaseInEnglish =
    "A lowercase minor chord in English notation (write %1, or choose German notation)";
//! %1 the chord ("D", "F#m"), %2 the key ("D", "F#m").
inline constexpr std::string_view kKeyNameNotChord =
    "A key, not a chord (write %1 for the chord, [KEY=%2] for the key)";
//! The hint at a chart's first B when nothing in the chart says which B it means.
inline constexpr std::string_view kBReadAsEnglish =
    "B read as B natural (English notation); write Bb, or choose German notation";
inline constexpr std::string_view kBReadAsGerman =
    "B read as B flat (German notation); write H for B natural, or choose English notation";
inline constexpr std::string_view kInvalidKey = "Invalid key";
//! %1 the mark as it is written right: "[TEMPO=120]".
inline constexpr std::string_view kMisspeltMark = "A mark written wrong (write %1)";

}  // namespace messages

//! message with "%1", "%2" … replaced by values in order.
[[nodiscard]] inline std::string FillMessage(std::string_view message,
                                             std::initializer_list<std::string_view> values) {
    std::string filled;
    filled.reserve(message.size() + 16);
    for (std::size_t i = 0; i < message.size(); ++i) {
        const char digit = i + 1 < message.size() ? message[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(digit - '1');
        if (message[i] == '%' && digit >= '1' && digit <= '9' && index < values.size()) {
            filled += *(values.begin() + index);
            ++i;
        } else {
            filled += message[i];
        }
    }
    return filled;
}

}  // namespace kaz
