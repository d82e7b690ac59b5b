#pragma once

#include <cstdint>
#include <string>

namespace kaz {

//! One live MIDI output.
class MidiOutPort {
  public:
    virtual ~MidiOutPort() = default;

    //! Open the output called name; when that fails or no output has that name, open the first one that
    //! opens.
    [[nodiscard]] virtual bool OpenByName(const std::string& name) = 0;
    //! Send one three-byte channel message now.
    virtual void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) = 0;
    //! Silence every sounding note, then close.
    virtual void ResetAndClose() = 0;
    //! True while the port holds an open output.
    [[nodiscard]] virtual bool IsOpen() const = 0;
    //! Why the output did not open, or stopped working while open or as it closed (a recording that cannot
    //! be written), in words for the user; empty when all is well or nothing is known.
    [[nodiscard]] virtual std::string Failure() const { return {}; }
};

}  // namespace kaz
