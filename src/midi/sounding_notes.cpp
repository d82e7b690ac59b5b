#include "midi/sounding_notes.h"

namespace kaz {

void SoundingNotes::Follow(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    const std::size_t note = (status & kChannelMask) * kKeys + (data1 & kDataMask);
    const auto message = static_cast<std::uint8_t>(status & kMessageMask);
    if (message == kNoteOnStatus) {
        // A note-on of velocity 0 is a note-off.
        sounding_[note] = data2 != 0;
    } else if (message == kNoteOffStatus) {
        sounding_[note] = false;
    }
}

void SoundingNotes::ReleaseChannel(std::uint8_t channel, const Send& send) {
    for (std::size_t key = 0; key < kKeys; ++key) {
        const std::size_t note = channel * kKeys + key;
        if (sounding_[note]) {
            sounding_[note] = false;
            send(static_cast<std::uint8_t>(kNoteOffStatus | channel), static_cast<std::uint8_t>(key), 0);
        }
    }
}

void SoundingNotes::ReleaseAll(const Send& send) {
    for (std::size_t channel = 0; channel < kMidiChannels; ++channel) {
        ReleaseChannel(static_cast<std::uint8_t>(channel), send);
    }
}

}  // namespace kaz
