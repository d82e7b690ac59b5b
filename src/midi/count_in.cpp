#include "midi/count_in.h"

#include <algorithm>

namespace kaz {

namespace {

// General MIDI's wood blocks: the high one marks the first beat.
constexpr std::uint8_t kAccentKey = 76;
constexpr std::uint8_t kClickKey = 77;
constexpr std::uint8_t kAccentVelocity = 127;
constexpr std::uint8_t kClickVelocity = 90;

}  // namespace

void AddCountIn(EventList& clicks, std::int32_t num, std::int32_t den, Ticks measureTicks, Ticks songStart) {
    const std::int32_t beats = std::max(num, 1);
    const Ticks beatTicks = std::max(TICKS_PER_WHOLE / std::max(den, 1), 2);
    const Ticks countInStart = songStart - measureTicks;
    for (std::int32_t beat = 0; beat < beats; ++beat) {
        const Ticks time = countInStart + static_cast<Ticks>(std::int64_t{measureTicks} * beat / beats);
        const bool first = beat == 0;
        clicks.AddNote(0, kPercussionChannel, first ? kAccentKey : kClickKey,
                       first ? kAccentVelocity : kClickVelocity, time, time + beatTicks / 2);
    }
    clicks.Finish();
}

}  // namespace kaz
