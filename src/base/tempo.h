#pragma once

#include <cstdint>

#include "base/ticks.h"

namespace kaz {

//! Tempo in quarter notes per minute: the transport's start value and the range of the tempo field, the
//! chart's tempo mark and every tempo option.
inline constexpr std::int32_t kDefaultTempo = 120;
inline constexpr std::int32_t kMinTempo = 20;
inline constexpr std::int32_t kMaxTempo = 300;

//! Ticks a millisecond at tempo: a quarter note's ticks over the 60 seconds of a minute, in milliseconds.
//! Formed in this order, so that 120 gives the double nearest 0.96.
[[nodiscard]] constexpr double TicksPerMs(std::int32_t tempo) {
    return tempo * (TICKS_PER_QUARTER / 60.0) * 0.001;
}

}  // namespace kaz
