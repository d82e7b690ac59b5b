#include "midi/device/midi_out_system.h"

namespace kaz {

MidiOutDeviceNames ReadDeviceNames(MidiOutSystem& system) {
    MidiOutDeviceNames names;
    const int count = system.DeviceCount();
    for (int id = 0; id < count; ++id) {
        if (std::optional<std::string> name = system.DeviceName(id)) {
            names.push_back(std::move(*name));
        }
    }
    return names;
}

int DataByteCount(std::uint8_t status) {
    switch (status & 0xF0) {
        case 0xC0:  // program change
        case 0xD0:  // channel pressure
            return 1;
        default:
            return 2;
    }
}

}  // namespace kaz
