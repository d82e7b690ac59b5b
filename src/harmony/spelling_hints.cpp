#include "harmony/spelling_hints.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace kaz {

namespace {

struct SurprisingSuffix {
    std::string_view suffix;
    //! What Kaz plays and what most musicians mean, with the root's name at %1 and what to write at %2.
    const char* hint;
    std::string_view write;  //!< the suffix that writes what most musicians mean
};

constexpr SurprisingSuffix kSurprisingSuffixes[] = {
    {"-7", "Plays %1 with a lowered seventh (the sixth); for %1 minor seventh write %2", "m7"},
    {"-9", "Plays %17 with a flat ninth; for %1 minor ninth write %2", "m9"},
    {"+7", "Plays %1 major seventh; for %17 with a raised fifth write %2", "7#5"},
    {"-", "Plays %1 minor seventh; for the %1 minor triad write %2", "m"},
};

//! Every surprising suffix starts with a sign, so most chords are cleared by their suffix's first character.
constexpr bool StartsWithSign(std::string_view suffix) {
    return !suffix.empty() && (suffix.front() == '-' || suffix.front() == '+');
}

static_assert(std::all_of(std::begin(kSurprisingSuffixes), std::end(kSurprisingSuffixes),
                          [](const SurprisingSuffix& surprising) {
                              return StartsWithSign(surprising.suffix);
                          }));

}  // namespace

std::optional<Message> SpellingHint(const Chord& chord) {
    if (!StartsWithSign(chord.suffix())) {
        return std::nullopt;
    }
    for (const SurprisingSuffix& surprising : kSurprisingSuffixes) {
        if (chord.suffix() != surprising.suffix) {
            continue;
        }
        const std::string root(chord.rootName.view());
        std::string other = root + std::string(surprising.write);
        if (!chord.bassName.empty()) {
            other += "/" + std::string(chord.bassName.view());
        }
        return Message(surprising.hint, {root, other});
    }
    return std::nullopt;
}

}  // namespace kaz
