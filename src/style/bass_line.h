#pragma once

#include <cstdint>
#include <optional>

#include "style/chord_tones.h"
#include "style/groove_feel.h"
#include "style/style.h"

namespace kaz {

//! The bass range: E1 to G3, the four strings of a double bass.
inline constexpr std::int32_t kLowestBassKey = 28;
inline constexpr std::int32_t kHighestBassKey = 55;

//! Where a bass hit stands within its chord.
struct BassMoment {
    ChordTones chord;
    std::optional<ChordTones> next;  //!< the chord after this one, when one follows
    bool changes = false;            //!< the first hit on a new chord
    bool beforeNext = false;         //!< the last hit before the next chord
};

//! A bass player: each hit's key follows from the last one, so the line moves by steps and small leaps, lands
//! on the root (or the written bass) where the chord changes and leads into the next chord.
class BassLine {
  public:
    explicit BassLine(GrooveFeel& feel) : feel_(feel) {}

    //! The key of a hit of degree at moment.
    [[nodiscard]] std::int32_t Play(BassDegree degree, const BassMoment& moment);

  private:
    [[nodiscard]] std::int32_t Nearest(std::int32_t pitchClass) const;
    [[nodiscard]] std::int32_t Land(std::int32_t pitchClass);
    [[nodiscard]] std::int32_t Walk(const BassMoment& moment);
    [[nodiscard]] std::int32_t Approach(const ChordTones& next);
    [[nodiscard]] std::int32_t Octave(const ChordTones& chord) const;

    GrooveFeel& feel_;
    std::int32_t last_ = 0;  //!< 0 before the first note
    std::int32_t direction_ = 1;
};

}  // namespace kaz
