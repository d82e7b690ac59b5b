#include "render/style_map.h"

#include <algorithm>
#include <iterator>

namespace kaz {

StyleMap::StyleMap(const ScoreTree& score, const StyleSettings& settings) {
    if (settings.library == nullptr) {
        return;
    }
    first_ = settings.library->Find(settings.name);
    for (const OpeningMark& mark : score.styleMarks) {
        changes_.push_back({mark.slot, settings.library->Find(mark.name)});
    }
    for (const OpeningMark& section : score.sections) {
        sectionStarts_.push_back(section.slot);
    }
    std::sort(sectionStarts_.begin(), sectionStarts_.end());
}

const Style* StyleMap::At(std::uint32_t slot) const {
    const auto after =
        std::upper_bound(changes_.begin(), changes_.end(), slot,
                         [](std::uint32_t at, const auto& change) { return at < change.first; });
    return after == changes_.begin() ? first_ : std::prev(after)->second;
}

std::string_view StyleMap::NameAt(std::uint32_t slot) const {
    const Style* style = At(slot);
    return style != nullptr ? std::string_view(style->name) : kBlockChordsStyle;
}

bool StyleMap::OpensSection(std::uint32_t slot) const {
    return std::binary_search(sectionStarts_.begin(), sectionStarts_.end(), slot);
}

}  // namespace kaz
