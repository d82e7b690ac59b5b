#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "base/midi_out_port.h"

namespace kaz::test {

//! One message a recording port received, stamped with its clock.
struct RecordedMessage {
    std::int64_t time = 0;
    std::uint8_t status = 0, data1 = 0, data2 = 0;
    friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

//! What recording ports write; it outlives the ports, which playback destroys at Stop. A playing port is
//! sent to from the timer's thread: read the messages through MessagesSoFar until playback stops.
struct PortRecording {
    std::vector<std::string> openedNames;  //!< the name of every OpenByName, in order
    std::vector<RecordedMessage> messages;
    int resets = 0;  //!< ResetAndClose calls

    [[nodiscard]] std::vector<RecordedMessage> MessagesSoFar() const {
        const std::lock_guard lock(sending);
        return messages;
    }
    mutable std::mutex sending;  //!< held while a message is added
};

//! A port without a device: it opens when told to and timestamps every message it is sent.
class RecordingPort final : public MidiOutPort {
  public:
    using Stamp = std::function<std::int64_t()>;

    //! Messages are stamped with stamp(); opens says whether OpenByName succeeds.
    RecordingPort(PortRecording& recording, Stamp stamp, bool opens = true)
        : recording_(recording), stamp_(std::move(stamp)), opens_(opens) {}

    [[nodiscard]] bool OpenByName(const std::string& name) override {
        recording_.openedNames.push_back(name);
        open_ = opens_;
        return open_;
    }
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        const RecordedMessage message{stamp_(), status, data1, data2};
        const std::lock_guard lock(recording_.sending);
        recording_.messages.push_back(message);
    }
    void ResetAndClose() override {
        ++recording_.resets;
        open_ = false;
    }
    [[nodiscard]] bool IsOpen() const override { return open_; }

  private:
    PortRecording& recording_;
    Stamp stamp_;
    bool opens_;
    bool open_ = false;
};

}  // namespace kaz::test
