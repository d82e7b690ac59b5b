#pragma once

#include <string>

#include "base/file_kinds.h"
#include "interchange/interchange_module.h"
#include "midi/device/device_module.h"

namespace kaz {

// The window starts without the sound, XML and zip libraries, and loads each module the first time it needs
// it; nullptr, with the reason in error, when the module cannot be loaded.

//! The MIDI outputs and the audio renderer.
[[nodiscard]] const DeviceModule* LoadDeviceModule(std::string& error);
//! The import of songs and the MusicXML writer.
[[nodiscard]] const InterchangeModule* LoadInterchangeModule(std::string& error);

//! The outputs of this machine, the built-in synthesizer first; only that one when the module cannot be
//! loaded, and Play then says why.
[[nodiscard]] MidiOutDeviceNames ReadMidiOutDevices();

//! Makes a port onto this machine's outputs for every Play, as SystemPortFactory does, through the device
//! module; audioFileKinds says which files a recording may be written to. When the module cannot be
//! loaded, the port does not open and its failure says why.
[[nodiscard]] MidiOutPortFactory LoadedPortFactory(FileKinds audioFileKinds);

}  // namespace kaz
