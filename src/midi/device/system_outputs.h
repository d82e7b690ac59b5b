#pragma once

#include <memory>

#include "midi/device/builtin_synth.h"
#include "midi/device/device_port.h"
#include "midi/device/midi_out_system.h"
#include "midi/device/rtmidi_outputs.h"
#include "midi/playback_seams.h"

namespace kaz {

//! The outputs of this machine: the built-in synthesizer first, so that a fresh start selects it, then the
//! MIDI system's outputs in its order.
class SystemMidiOuts final : public MidiOutSystem {
  public:
    explicit SystemMidiOuts(SynthOptions options);

    [[nodiscard]] int DeviceCount() override;
    [[nodiscard]] std::optional<std::string> DeviceName(int id) override;
    [[nodiscard]] std::unique_ptr<MidiOutConnection> Open(int id) override;
    [[nodiscard]] std::string OpenFailure() const override { return openFailure_; }

  private:
    SynthOptions options_;
    std::string openFailure_;
    RtMidiOutputs midiOutputs_;
};

//! The names of this machine's outputs, read once at start-up.
[[nodiscard]] MidiOutDeviceNames EnumerateMidiOutDevices(
    const SynthOptions& options = SynthOptionsFromEnvironment());

//! Makes a port onto this machine's outputs for every Play, looking at the outputs afresh each time.
[[nodiscard]] MidiOutPortFactory SystemPortFactory(SynthOptions options = SynthOptionsFromEnvironment());

}  // namespace kaz
