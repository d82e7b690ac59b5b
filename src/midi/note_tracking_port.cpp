#include "midi/note_tracking_port.h"

namespace kaz {

void NoteTrackingPort::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    port_.SendShort(status, data1, data2);
    notes_.Follow(status, data1, data2);
}

void NoteTrackingPort::ResetAndClose() {
    notes_.Forget();
    port_.ResetAndClose();
}

void NoteTrackingPort::ReleaseAll() {
    notes_.ReleaseAll([this](std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        port_.SendShort(status, data1, data2);
    });
}

}  // namespace kaz
