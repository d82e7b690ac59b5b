#pragma once

#include <bitset>
#include <cstdint>
#include <functional>

#include "base/midi_bytes.h"

namespace kaz {

//! The notes that sound on an output, followed message by message, so that each can be released where
//! nothing else releases it.
class SoundingNotes {
  public:
    using Send = std::function<void(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)>;

    //! Follow one channel message sent to the output.
    void Follow(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    //! Send a note-off for every note of channel that sounds, key by key, and forget them.
    void ReleaseChannel(std::uint8_t channel, const Send& send);
    //! ReleaseChannel for every channel in turn.
    void ReleaseAll(const Send& send);
    //! Forget every note, as after a reset of the output.
    void Forget() { sounding_.reset(); }

  private:
    static constexpr std::size_t kKeys = kMidiKeys;

    std::bitset<kMidiChannels * kMidiKeys> sounding_;
};

}  // namespace kaz
