#include "midi/shifting_port.h"

#include "base/midi_bytes.h"

namespace kaz {

namespace {

constexpr int kOctave = 12;
constexpr int kHighestShift = 6;

}  // namespace

void ShiftingPort::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    const auto message = static_cast<std::uint8_t>(status & kMessageMask);
    const bool keyed = message == kNoteOnStatus || message == kNoteOffStatus || message == kKeyPressureStatus;
    if (shift_ == 0 || !keyed || (status & kChannelMask) == kPercussionChannel) {
        port_.SendShort(status, data1, data2);
        return;
    }
    const int key = data1 + shift_;
    if (key >= 0 && key < static_cast<int>(kMidiKeys)) {
        port_.SendShort(status, static_cast<std::uint8_t>(key), data2);
    }
}

int ShiftOfRound(int step, std::uint64_t round) {
    const auto steps = static_cast<int>(round % kOctave);
    const int shift = ((step * steps) % kOctave + kOctave) % kOctave;
    return shift > kHighestShift ? shift - kOctave : shift;
}

}  // namespace kaz
