#include "midi/note_tracking_port.h"

#include "base/midi_bytes.h"

namespace kaz {

void NoteTrackingPort::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    port_.SendShort(status, data1, data2);
    const std::size_t note = (status & kChannelMask) * kKeys + (data1 & kDataMask);
    const auto message = static_cast<std::uint8_t>(status & kMessageMask);
    if (message == kNoteOnStatus) {
        // A note-on of velocity 0 is a note-off.
        sounding_[note] = data2 != 0;
    } else if (message == kNoteOffStatus) {
        sounding_[note] = false;
    }
}

void NoteTrackingPort::ResetAndClose() {
    sounding_.reset();
    port_.ResetAndClose();
}

void NoteTrackingPort::ReleaseAll() {
    for (std::size_t note = 0; note < sounding_.size(); ++note) {
        if (sounding_[note]) {
            port_.SendShort(static_cast<std::uint8_t>(kNoteOffStatus + note / kKeys),
                            static_cast<std::uint8_t>(note % kKeys), 0);
        }
    }
    sounding_.reset();
}

}  // namespace kaz
