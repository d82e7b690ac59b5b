#include "midi/device/system_outputs.h"

#include <utility>

namespace kaz {

SystemMidiOuts::SystemMidiOuts(SynthOptions options) : options_(std::move(options)) {}

int SystemMidiOuts::DeviceCount() {
    return 1 + midiOutputs_.Count();
}

std::optional<std::string> SystemMidiOuts::DeviceName(int id) {
    if (id == 0) {
        return std::string(kBuiltInSynthName);
    }
    if (id < 0 || id > midiOutputs_.Count()) {
        return std::nullopt;
    }
    return midiOutputs_.Name(id - 1);
}

std::unique_ptr<MidiOutConnection> SystemMidiOuts::Open(int id) {
    openFailure_.clear();
    if (id == 0) {
        return OpenBuiltInSynth(options_, openFailure_);
    }
    return midiOutputs_.Open(id - 1);
}

MidiOutDeviceNames EnumerateMidiOutDevices(const SynthOptions& options) {
    SystemMidiOuts outputs(options);
    return ReadDeviceNames(outputs);
}

MidiOutPortFactory SystemPortFactory(SynthOptions options) {
    return [options = std::move(options)]() -> std::unique_ptr<MidiOutPort> {
        return std::make_unique<DeviceMidiOutPort>(std::make_unique<SystemMidiOuts>(options));
    };
}

}  // namespace kaz
