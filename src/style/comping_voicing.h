#pragma once

#include <cstdint>
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
    std::vector<std::int32_t> last_;
    std::vector<std::int32_t> candidate_;
};

}  // namespace kaz
