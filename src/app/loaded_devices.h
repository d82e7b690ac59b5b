#pragma once

#include <string>

#include "base/file_kinds.h"
#include "midi/device/device_module.h"

namespace kaz {

//! The MIDI outputs and the audio renderer, from the device module: the window starts without the sound
//! libraries and loads them the first time it needs them. nullptr, with the reason in error, when the
//! module cannot be loaded.
[[nodiscard]] const DeviceModule* LoadDeviceModule(std::string& error);

//! The outputs of this machine, the built-in synthesizer first; only that one when the module cannot be
//! loaded, and Play then says why.
[[nodiscard]] MidiOutDeviceNames ReadMidiOutDevices();

//! Makes a port onto this machine's outputs for every Play, as SystemPortFactory does, through the device
//! module; audioFileKinds says which files a recording may be written to. When the module cannot be
//! loaded, the port does not open and its failure says why.
[[nodiscard]] MidiOutPortFactory LoadedPortFactory(FileKinds audioFileKinds);

}  // namespace kaz
