#pragma once

#include <memory>
#include <string>
#include <vector>

#include "midi/device/midi_out_system.h"

namespace kaz {

//! The MIDI outputs of the platform's MIDI system: those of the first MIDI interface that starts and offers
//! any (the ALSA sequencer, then JACK, on Linux). A machine without one simply has none.
class RtMidiOutputs {
  public:
    RtMidiOutputs();
    ~RtMidiOutputs();
    RtMidiOutputs(const RtMidiOutputs&) = delete;
    RtMidiOutputs& operator=(const RtMidiOutputs&) = delete;

    [[nodiscard]] int Count() const { return static_cast<int>(names_.size()); }
    [[nodiscard]] const std::string& Name(int index) const { return names_[static_cast<std::size_t>(index)]; }
    //! Open the output at index; nullptr when it does not open.
    [[nodiscard]] std::unique_ptr<MidiOutConnection> Open(int index);

  private:
    int api_ = 0;  //!< the interface the outputs belong to
    std::vector<std::string> names_;
};

}  // namespace kaz
