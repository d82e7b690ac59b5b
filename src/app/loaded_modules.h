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

//! The ports onto this machine's outputs, as MakeSystemPorts makes them, through the device module;
//! audioFileKinds says which files a recording may be written to. When the module cannot be loaded, the
//! port does not open and its failure says why.
class LoadedPorts {
  public:
    explicit LoadedPorts(FileKinds audioFileKinds) : audioFileKinds_(audioFileKinds) {}

    //! Load the module, and the built-in synthesizer's sounds on a thread of their own, unless done.
    void LoadAhead();
    //! Whether a port made now opens the built-in synthesizer at once.
    [[nodiscard]] bool SoundsLoaded();
    //! The port one Play opens.
    [[nodiscard]] std::unique_ptr<MidiOutPort> MakePort();

  private:
    FileKinds audioFileKinds_;
    SystemPorts ports_;
    std::string error_;  //!< why the module did not load
};

}  // namespace kaz
