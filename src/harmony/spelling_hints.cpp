#include "harmony/spelling_hints.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace kaz {

namespace {

struct SurprisingSuffix {
    std::string_view suffix;
    std::string_view plays;    //!< what Kaz plays, after the root's name
    std::string_view article;  //!< before the root's name in what most musicians mean
    std::string_view meant;    //!< what most musicians mean, after the root's name
    std::string_view write;    //!< the suffix that writes it
};

constexpr SurprisingSuffix kSurprisingSuffixes[] = {
    {"-7", " with a lowered seventh (the sixth)", "", " minor seventh", "m7"},
    {"-9", "7 with a flat ninth", "", " minor ninth", "m9"},
    {"+7", " major seventh", "", "7 with a raised fifth", "7#5"},
    {"-", " minor seventh", "the ", " minor triad", "m"},
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

std::optional<std::string> SpellingHint(const Chord& chord) {
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
        return "Plays " + root + std::string(surprising.plays) + "; for " + std::string(surprising.article) +
               root + std::string(surprising.meant) + " write " + other;
    }
    return std::nullopt;
}

}  // namespace kaz
