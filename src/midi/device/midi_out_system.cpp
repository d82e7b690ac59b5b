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

}  // namespace kaz
