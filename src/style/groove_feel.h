#pragma once

#include <cstdint>

#include "base/ticks.h"

namespace kaz {

//! The time of a hit at offset ticks into its beat, swung: the beat's first half stretched to share of it and
//! its second half pressed into the rest, so the off-beat eighth falls late and the beat stays where it was.
[[nodiscard]] Ticks SwingOffset(Ticks offset, Ticks beat, double share);

//! The small seeded unevenness of a band: the same seed gives the same performance.
class GrooveFeel {
  public:
    //! amount in percent: 0 plays every hit exactly on time and at its written strength.
    GrooveFeel(std::uint64_t seed, std::int32_t amount) : state_(seed), amount_(amount) {}

    //! A hit's time moved by at most a few ticks, early or late.
    [[nodiscard]] Ticks Nudge(Ticks time);
    //! A velocity moved by a few steps, kept within 1..127.
    [[nodiscard]] std::uint8_t Vary(std::int32_t velocity);
    //! A number from 0 to count - 1, for the bass line's choices.
    [[nodiscard]] std::uint32_t Pick(std::uint32_t count);

    //! The most a Nudge moves a hit early.
    [[nodiscard]] Ticks MaxEarly() const;

  private:
    std::uint64_t Next();

    std::uint64_t state_;
    std::int32_t amount_;
};

}  // namespace kaz
