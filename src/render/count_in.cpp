#include "render/count_in.h"

#include <algorithm>

#include "style/band_part.h"

namespace kaz {

namespace {

// The wood block a fifth higher on the first beat.
constexpr std::uint8_t kAccentKey = 84;
constexpr std::uint8_t kClickKey = 77;
constexpr std::uint8_t kAccentVelocity = 127;
constexpr std::uint8_t kClickVelocity = 90;

}  // namespace

void AddCountIn(EventList& clicks, std::int32_t num, std::int32_t den, Ticks measureTicks, Ticks songStart) {
    const std::int32_t beats = std::max(num, 1);
    const Ticks beatTicks = std::max(TICKS_PER_WHOLE / std::max(den, 1), 2);
    const Ticks countInStart = songStart - measureTicks;
    // A channel of its own, so the drums' kit and the mixer's drum part leave the clicks alone.
    clicks.AddEvent(MidiEvent::ProgramChange(countInStart, kCountInChannel, kCountInProgram));
    for (std::int32_t beat = 0; beat < beats; ++beat) {
        const Ticks time = countInStart + static_cast<Ticks>(std::int64_t{measureTicks} * beat / beats);
        const bool first = beat == 0;
        const std::uint8_t key = first ? kAccentKey : kClickKey;
        const std::uint8_t velocity = first ? kAccentVelocity : kClickVelocity;
        // Each click ends before the next: the list takes them in time order, with nothing left pending.
        clicks.AddEvent(MidiEvent::NoteOn(time, kCountInChannel, key, velocity));
        clicks.AddEvent(MidiEvent::NoteOff(time + beatTicks / 2, 0, kCountInChannel, key, velocity));
    }
}

}  // namespace kaz
