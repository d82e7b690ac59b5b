#include "style/groove_feel.h"

#include <algorithm>
#include <cmath>

namespace kaz {

namespace {

// At full feel a hit moves at most this many ticks (about 8 ms at 120) and this many velocity steps.
constexpr std::int32_t kMaxNudgeTicks = 8;
constexpr std::int32_t kMaxVelocitySteps = 7;

}  // namespace

Ticks SwingOffset(Ticks offset, Ticks beat, double share) {
    const double half = beat / 2.0;
    const double swungHalf = beat * share;
    if (offset <= half) {
        return static_cast<Ticks>(std::lround(offset * swungHalf / half));
    }
    return static_cast<Ticks>(std::lround(swungHalf + (offset - half) * (beat - swungHalf) / half));
}

std::uint64_t GrooveFeel::Next() {
    // splitmix64: small, fast, and the same sequence on every platform and library.
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint32_t GrooveFeel::Pick(std::uint32_t count) {
    return count == 0 ? 0 : static_cast<std::uint32_t>(Next() % count);
}

Ticks GrooveFeel::MaxEarly() const {
    return kMaxNudgeTicks * amount_ / 100;
}

Ticks GrooveFeel::Nudge(Ticks time) {
    const Ticks reach = MaxEarly();
    if (reach == 0) {
        return time;
    }
    const auto moved = static_cast<Ticks>(Pick(static_cast<std::uint32_t>(2 * reach + 1))) - reach;
    return std::max<Ticks>(0, time + moved);
}

std::uint8_t GrooveFeel::Vary(std::int32_t velocity) {
    const std::int32_t reach = kMaxVelocitySteps * amount_ / 100;
    const std::int32_t moved =
        reach == 0 ? 0 : static_cast<std::int32_t>(Pick(static_cast<std::uint32_t>(2 * reach + 1))) - reach;
    return static_cast<std::uint8_t>(std::clamp(velocity + moved, 1, 127));
}

}  // namespace kaz
