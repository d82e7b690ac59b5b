#pragma once

#include <memory>
#include <string>

#include "base/midi_out_port.h"
#include "midi/device/midi_out_system.h"

namespace kaz {

//! A port onto one output of a MIDI system, opened by name with the fallback to the first output that opens.
class DeviceMidiOutPort final : public MidiOutPort {
  public:
    explicit DeviceMidiOutPort(std::unique_ptr<MidiOutSystem> system);
    ~DeviceMidiOutPort() override;

    //! The first output called name (exactly); when there is none, or it fails to open, the first output
    //! from id 0 on that opens.
    [[nodiscard]] bool OpenByName(const std::string& name) override;
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override;
    void ResetAndClose() override;
    [[nodiscard]] bool IsOpen() const override { return connection_ != nullptr; }
    [[nodiscard]] std::string Failure() const override;

    //! The name of the output that opened; empty while closed.
    [[nodiscard]] const std::string& OpenedName() const { return openedName_; }

  private:
    [[nodiscard]] bool OpenId(int id);

    std::unique_ptr<MidiOutSystem> system_;
    std::unique_ptr<MidiOutConnection> connection_;
    std::string openedName_;
    std::string failure_;  //!< why the last open failed or the last output stopped working
};

}  // namespace kaz
