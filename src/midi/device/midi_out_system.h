#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/midi_bytes.h"

namespace kaz {

//! The names of the MIDI outputs in the system's order, read once at start-up.
using MidiOutDeviceNames = std::vector<std::string>;

//! One opened MIDI output; destroying it closes the output.
class MidiOutConnection {
  public:
    virtual ~MidiOutConnection() = default;
    //! Deliver one channel message now; its length follows from the status byte.
    virtual void Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    //! Silence every sounding note.
    virtual void Reset() = 0;
    //! Complete what the output writes (a recording's file) before it closes.
    virtual void Finish() {}
    //! Why the output stopped working (a recording that cannot be written); empty while it works.
    [[nodiscard]] virtual std::string Failure() const { return {}; }
};

//! The outputs of a MIDI system, by id in the system's order.
class MidiOutSystem {
  public:
    virtual ~MidiOutSystem() = default;
    [[nodiscard]] virtual int DeviceCount() = 0;
    //! The output's name, or nothing when it cannot be read.
    [[nodiscard]] virtual std::optional<std::string> DeviceName(int id) = 0;
    //! Open the output; nullptr when it does not open.
    [[nodiscard]] virtual std::unique_ptr<MidiOutConnection> Open(int id) = 0;
    //! Why the last Open that gave nullptr failed, when the system can tell; otherwise empty.
    [[nodiscard]] virtual std::string OpenFailure() const { return {}; }
};

//! The names of every output whose name can be read, in id order.
[[nodiscard]] MidiOutDeviceNames ReadDeviceNames(MidiOutSystem& system);

}  // namespace kaz
