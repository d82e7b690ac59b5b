#include "interchange/ireal_chords.h"

#include <array>
#include <utility>

#include "interchange/chord_voice.h"

namespace kaz {

namespace {

using Spelling = std::pair<std::string_view, std::string_view>;

//! Every quality of the link format with its everyday spelling. Where two qualities share a spelling, the
//! first is the one written back.
constexpr std::array<Spelling, 66> kQualities = {{
    {"", ""},
    {"^7", "maj7"},
    {"^", "maj7"},
    {"-7", "m7"},
    {"-", "m"},
    {"7", "7"},
    {"h7", "m7b5"},
    {"h", "m7b5"},
    {"-7b5", "m7b5"},
    {"o7", "dim7"},
    {"o", "dim"},
    {"+", "aug"},
    {"5", "5"},
    {"2", "2"},
    {"add9", "add9"},
    {"sus", "sus4"},
    {"7sus", "7sus4"},
    {"^9", "maj9"},
    {"^13", "maj13"},
    {"6", "6"},
    {"69", "69"},
    {"^7#11", "maj7#11"},
    {"^9#11", "maj9#11"},
    {"^7#5", "maj7#5"},
    {"-6", "m6"},
    {"-69", "m69"},
    {"-^7", "m(maj7)"},
    {"-^9", "m(maj9)"},
    {"-9", "m9"},
    {"-11", "m11"},
    {"h9", "m9b5"},
    {"-b6", "mb6"},
    {"-#5", "m#5"},
    {"9", "9"},
    {"7b9", "7b9"},
    {"7#9", "7#9"},
    {"7#11", "7#11"},
    {"7b5", "7b5"},
    {"7#5", "7#5"},
    {"9#11", "9#11"},
    {"9b5", "9b5"},
    {"9#5", "9#5"},
    {"7b13", "7b13"},
    {"7#9#5", "7#9#5"},
    {"7#9b5", "7#9b5"},
    {"7#9#11", "7#9#11"},
    {"7b9#11", "7b9#11"},
    {"7b9b5", "7b9b5"},
    {"7b9#5", "7b9#5"},
    {"7b9#9", "7b9#9"},
    {"7b9b13", "7b9b13"},
    {"7alt", "7alt"},
    {"13", "13"},
    {"13#11", "13#11"},
    {"13b9", "13b9"},
    {"13#9", "13#9"},
    {"7b9sus", "7b9sus"},
    {"7susadd3", "7susadd3"},
    {"9sus", "9sus"},
    {"13sus", "13sus"},
    {"7b13sus", "7b13sus"},
    {"11", "11"},
    {"^7#9", "maj7#9"},
    {"7#5#9", "7#5#9"},
    {"o^7", "dim(maj7)"},
    {"-^", "m(maj7)"},
}};

//! The chart language's own suffixes and other common spellings, as the link format writes them.
constexpr std::array<Spelling, 24> kChartSuffixes = {{
    {"-", "-7"},
    {"m7-5", "h7"},
    {"mmaj7", "-^7"},
    {"7-9", "7b9"},
    {"7+9", "7#9"},
    {"7-5", "7b5"},
    {"7+5", "7#5"},
    {"7+11", "7#11"},
    {"7-13", "7b13"},
    {"maj", "^"},
    {"M7", "^7"},
    {"ma7", "^7"},
    {"mi7", "-7"},
    {"min7", "-7"},
    {"mi", "-"},
    {"min", "-"},
    {"6add9", "69"},
    {"6/9", "69"},
    {"sus2", "2"},
    {"7sus4", "7sus"},
    {"\xC3\xB8", "h"},
    {"\xC3\xB8"
     "7",
     "h7"},
    {"\xCE\x94", "^"},
    {"\xCE\x94"
     "7",
     "^7"},
}};

//! The quality the tables give for a suffix; the suffix itself when they give none.
std::string NearestQuality(std::string_view chartSuffix) {
    for (const auto& [chart, link] : kChartSuffixes) {
        if (chart == chartSuffix) {
            return std::string(link);
        }
    }
    for (const auto& [link, everyday] : kQualities) {
        if (everyday == chartSuffix) {
            return std::string(link);
        }
    }
    return std::string(chartSuffix);
}

}  // namespace

std::optional<std::string> EverydayQuality(std::string_view linkQuality) {
    for (const auto& [link, everyday] : kQualities) {
        if (link == linkQuality) {
            return std::string(everyday);
        }
    }
    return std::nullopt;
}

std::size_t LinkQualityLength(std::string_view text) {
    std::size_t longest = 0;
    for (const auto& [link, everyday] : kQualities) {
        if (link.size() > longest && text.substr(0, link.size()) == link) {
            longest = link.size();
        }
    }
    return longest;
}

LinkSpelling LinkQuality(std::string_view chartSuffix) {
    const std::optional<ChordVoice> wanted = VoiceOfSuffix(chartSuffix);
    const std::string nearest = NearestQuality(chartSuffix);
    const std::optional<std::string> everyday = EverydayQuality(nearest);
    if (everyday && (!wanted || VoiceOfSuffix(*everyday) == wanted)) {
        return {nearest, true};
    }
    // The quality the tables give is none of the format's, or plays another voice: look for one that plays
    // the same.
    if (wanted) {
        for (const auto& [link, spelling] : kQualities) {
            if (VoiceOfSuffix(spelling) == wanted) {
                return {std::string(link), true};
            }
        }
    }
    return {everyday ? nearest : std::string(), false};
}

}  // namespace kaz
