// The entry of the device module that the window loads.
#include "midi/device/device_module.h"

extern "C" __attribute__((visibility("default"))) const kaz::DeviceModule* KazDeviceModule() {
    static constexpr kaz::DeviceModule kModule{
        kaz::SynthOptionsFromEnvironment,
        kaz::EnumerateMidiOutDevices,
        kaz::MakeSystemPorts,
        kaz::CanWriteFlac,
        kaz::AudioFormatOfPath,
        kaz::RenderAudio,
        kaz::OpenMidiPedalInput,
    };
    return &kModule;
}
