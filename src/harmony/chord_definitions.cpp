#include "harmony/chord_definitions.h"

#include <algorithm>

namespace kaz {

bool operator==(const ChordDefinition& a, const ChordDefinition& b) {
    return a.count == b.count &&
           std::equal(a.values.begin(),
                      a.values.begin() +
                          std::clamp<std::int32_t>(a.count, 0, static_cast<std::int32_t>(a.values.size())),
                      b.values.begin());
}

void ChordDefinitions::DefineChord(std::string_view name, std::span<const std::int32_t> values) {
    auto entry = definitions_.find(name);
    if (entry == definitions_.end()) {
        entry = definitions_.emplace(std::string(name), ChordDefinition{}).first;
    }
    // A redefinition replaces the count and the first values; only those are ever read.
    ChordDefinition& definition = entry->second;
    const auto count = std::min(values.size(), definition.values.size());
    definition.count = static_cast<std::int32_t>(count);
    std::copy_n(values.begin(), count, definition.values.begin());
}

const ChordDefinition* ChordDefinitions::Find(std::string_view name) const {
    const auto entry = definitions_.find(name);
    return entry == definitions_.end() ? nullptr : &entry->second;
}

}  // namespace kaz
