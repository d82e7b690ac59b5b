#pragma once

#include "midi/device/audio_render.h"
#include "midi/device/midi_pedal_input.h"
#include "midi/device/system_outputs.h"

namespace kaz {

//! What the window takes from the MIDI and audio devices, which it loads as a module of their own when it
//! first needs them (to list the outputs, play, or render audio), so that it starts without the sound
//! libraries. The window and the module are built together, so the table holds the functions themselves.
struct DeviceModule {
    decltype(&SynthOptionsFromEnvironment) synthOptionsFromEnvironment;
    decltype(&EnumerateMidiOutDevices) enumerateMidiOutDevices;
    decltype(&MakeSystemPorts) makeSystemPorts;
    decltype(&CanWriteFlac) canWriteFlac;
    decltype(&AudioFormatOfPath) audioFormatOfPath;
    decltype(&RenderAudio) renderAudio;
    decltype(&OpenMidiPedalInput) openMidiPedalInput;
};

//! The module's file and its entry, a const DeviceModule*().
inline constexpr const char* kDeviceModuleFile = "kaz-devices.so";
inline constexpr const char* kDeviceModuleEntry = "KazDeviceModule";

}  // namespace kaz
