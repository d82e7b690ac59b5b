#include "midi/pedal_presses.h"

#include "base/midi_bytes.h"

namespace kaz {

namespace {

constexpr std::uint8_t kPedalDown = 64;

}  // namespace

std::optional<PedalPress> PedalPresses::Read(std::span<const std::uint8_t> message) {
    if (message.size() != 3 || (message[0] & kMessageMask) != kControlChangeStatus) {
        return std::nullopt;
    }
    const std::uint8_t controller = message[1];
    if (controller != kNextSongController && controller != kPreviousSongController) {
        return std::nullopt;
    }
    const PedalPress press = controller == kNextSongController ? PedalPress::Next : PedalPress::Previous;
    bool& down = down_[static_cast<std::size_t>(press)];
    const bool wasDown = down;
    down = message[2] >= kPedalDown;
    return down && !wasDown ? std::optional(press) : std::nullopt;
}

}  // namespace kaz
