#pragma once

#include <cstdint>
#include <string>

#include "base/midi_out_port.h"
#include "midi/sounding_notes.h"

namespace kaz {

//! A port in front of another that remembers which notes sound, so that they can be released where the
//! performance does not release them: a practice loop going round again in the middle of a held chord.
class NoteTrackingPort final : public MidiOutPort {
  public:
    explicit NoteTrackingPort(MidiOutPort& port) : port_(port) {}

    [[nodiscard]] bool OpenByName(const std::string& name) override { return port_.OpenByName(name); }
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void ResetAndClose() override;
    [[nodiscard]] bool IsOpen() const override { return port_.IsOpen(); }

    //! Send a note-off for every note that sounds.
    void ReleaseAll();

  private:
    MidiOutPort& port_;
    SoundingNotes notes_;
};

}  // namespace kaz
