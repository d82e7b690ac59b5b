#pragma once

#include <functional>
#include <memory>
#include <string>

#include "midi/pedal_presses.h"

namespace kaz {

//! The MIDI inputs of this machine, listened to for a pedal board's presses for as long as it lives.
class MidiPedalInput {
  public:
    virtual ~MidiPedalInput() = default;
    //! The inputs listened to, by name, a comma between.
    [[nodiscard]] virtual std::string Names() const = 0;
};

//! Listen to every MIDI input of the first MIDI interface that has any; pressed is called on the MIDI
//! system's own thread for each press. nullptr when the machine has no MIDI input.
[[nodiscard]] std::unique_ptr<MidiPedalInput> OpenMidiPedalInput(std::function<void(PedalPress)> pressed);

}  // namespace kaz
