#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kaz {

//! What a foot pedal asks of a set list.
enum class PedalPress : std::uint8_t { Next, Previous };

//! The pedals' controllers: the sustain pedal turns to the next song, the soft pedal back to the one before.
inline constexpr std::uint8_t kNextSongController = 64;
inline constexpr std::uint8_t kPreviousSongController = 67;

//! Reads the MIDI messages of a pedal board as presses: a pedal's controller going from up (below 64) to down
//! (64 or more) on any channel is one press; holding it down, or letting it up, is none.
class PedalPresses {
  public:
    [[nodiscard]] std::optional<PedalPress> Read(std::span<const std::uint8_t> message);

  private:
    std::array<bool, 2> down_{};
};

}  // namespace kaz
