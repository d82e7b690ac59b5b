#pragma once

#include <cstdint>
#include <string>

#include "base/midi_out_port.h"

namespace kaz {

//! A port in front of another that moves every note but the drums' by a number of semitones: the song played
//! in another key than it is written in. A note moved off the keyboard is left out, its release too.
class ShiftingPort final : public MidiOutPort {
  public:
    explicit ShiftingPort(MidiOutPort& port) : port_(port) {}

    [[nodiscard]] bool OpenByName(const std::string& name) override { return port_.OpenByName(name); }
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void ResetAndClose() override { port_.ResetAndClose(); }
    [[nodiscard]] bool IsOpen() const override { return port_.IsOpen(); }
    [[nodiscard]] std::string Failure() const override { return port_.Failure(); }

    //! Move the notes from now on; only while none sounds through the port, or their releases go astray.
    void SetShift(int shift) { shift_ = shift; }

  private:
    MidiOutPort& port_;
    int shift_ = 0;
};

//! The semitones a song going round is moved on its round-th time (the first is 0) when each time moves it
//! step semitones on: round the twelve keys, kept within a fifth below and a tritone above where it started.
[[nodiscard]] int ShiftOfRound(int step, std::uint64_t round);

}  // namespace kaz
