#include "midi/device/system_outputs.h"

#include <utility>

namespace kaz {

SystemMidiOuts::SystemMidiOuts(SynthOptions options, std::shared_ptr<SynthKeeper> keeper)
    : options_(std::move(options)), keeper_(std::move(keeper)) {}

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
    if (id == 0 && keeper_ != nullptr) {
        return ConnectBuiltInSynth(keeper_->Take(), options_, openFailure_,
                                   [keeper = keeper_](std::unique_ptr<SoundFontSynth> synth) {
                                       keeper->GiveBack(std::move(synth));
                                   });
    }
    if (id == 0) {
        return OpenBuiltInSynth(options_, openFailure_);
    }
    return midiOutputs_.Open(id - 1);
}

MidiOutDeviceNames EnumerateMidiOutDevices(const SynthOptions& options) {
    SystemMidiOuts outputs(options);
    return ReadDeviceNames(outputs);
}

SystemPorts MakeSystemPorts(SynthOptions options) {
    auto keeper = std::make_shared<SynthKeeper>(options);
    return {[options = std::move(options), keeper]() -> std::unique_ptr<MidiOutPort> {
                return std::make_unique<DeviceMidiOutPort>(std::make_unique<SystemMidiOuts>(options, keeper));
            },
            [keeper] { return keeper->Loaded(); }};
}

}  // namespace kaz
