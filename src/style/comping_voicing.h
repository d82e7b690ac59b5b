#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "style/chord_tones.h"

namespace kaz {

//! The comping range: from C3 to G5, below the melody and above the bass.
inline constexpr std::int32_t kLowestCompKey = 48;
inline constexpr std::int32_t kHighestCompKey = 79;

//! A comping player's hands: each chord voiced in close position, the inversion chosen that moves least from
//! the voicing before it, so common tones stay and the others move by the smallest steps.
class CompingVoicing {
  public:
    //! The keys of chord, lowest first; only the chord's own pitch classes.
    [[nodiscard]] const std::vector<std::int32_t>& Voice(const ChordTones& chord);

  private:
    [[nodiscard]] std::vector<std::int32_t> Lead(const ChordTones& chord);

    std::vector<std::int32_t> last_;
    //! The voicing chosen for a chord after a voicing, by both: a song's chords come round again and again.
    std::unordered_map<std::uint64_t, std::vector<std::int32_t>> known_;
    std::vector<std::int32_t> candidate_;
};

}  // namespace kaz
