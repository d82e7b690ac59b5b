#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kaz {

//! A chord symbol as MusicXML describes it: root, kind, alterations and additions, bass.
struct HarmonyDescription {
    char rootStep = 'C';
    int rootAlter = 0;
    std::string kind = "major";  //!< a MusicXML kind value
    std::string text;            //!< how the chart writes the suffix, for display
    struct Degree {
        int value = 0;
        int alter = 0;
        std::string type;  //!< "add", "alter" or "subtract"
    };
    std::vector<Degree> degrees;
    bool hasBass = false;
    char bassStep = 'C';
    int bassAlter = 0;
};

//! The description of a chart chord ("Cm7b5", "F#7-9/C", "N.C."); false for text that is no chord symbol.
[[nodiscard]] bool DescribeChord(std::string_view chord, HarmonyDescription& description);
//! The chart spelling of a description, in everyday spelling.
[[nodiscard]] std::string ChartChordOf(const HarmonyDescription& description);

}  // namespace kaz
