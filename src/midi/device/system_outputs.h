#pragma once

#include <functional>
#include <memory>

#include "midi/device/builtin_synth.h"
#include "midi/device/device_port.h"
#include "midi/device/midi_out_system.h"
#include "midi/device/rtmidi_outputs.h"
#include "midi/device/synth_keeper.h"
#include "midi/playback_seams.h"

namespace kaz {

//! The outputs of this machine: the built-in synthesizer first, so that a fresh start selects it, then the
//! MIDI system's outputs in its order. With a keeper, the built-in synthesizer is the keeper's, loaded
//! ahead; without one, it loads when it opens.
class SystemMidiOuts final : public MidiOutSystem {
  public:
    explicit SystemMidiOuts(SynthOptions options, std::shared_ptr<SynthKeeper> keeper = nullptr);

    [[nodiscard]] int DeviceCount() override;
    [[nodiscard]] std::optional<std::string> DeviceName(int id) override;
    [[nodiscard]] std::unique_ptr<MidiOutConnection> Open(int id) override;
    [[nodiscard]] std::string OpenFailure() const override { return openFailure_; }

  private:
    SynthOptions options_;
    std::shared_ptr<SynthKeeper> keeper_;
    std::string openFailure_;
    RtMidiOutputs midiOutputs_;
};

//! The names of this machine's outputs, read once at start-up.
[[nodiscard]] MidiOutDeviceNames EnumerateMidiOutDevices(
    const SynthOptions& options = SynthOptionsFromEnvironment());

//! The ports of this machine's outputs, one for every Play, looking at the outputs afresh each time; the
//! built-in synthesizer starts loading when they are made and is kept between Plays.
struct SystemPorts {
    MidiOutPortFactory makePort;
    //! Whether a port made now opens the built-in synthesizer without waiting for its SoundFont.
    std::function<bool()> soundsLoaded;
};
[[nodiscard]] SystemPorts MakeSystemPorts(SynthOptions options = SynthOptionsFromEnvironment());

}  // namespace kaz
