#pragma once

#include <cstdint>

namespace kaz {

//! Musical time: ticks from the start of the song.
using Ticks = std::int32_t;

inline constexpr Ticks TICKS_PER_QUARTER = 480;
inline constexpr Ticks TICKS_PER_WHOLE = 4 * TICKS_PER_QUARTER;

}  // namespace kaz
