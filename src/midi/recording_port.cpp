#include "midi/recording_port.h"

#include <utility>

namespace kaz {

RecordingPort::RecordingPort(PortRecording& recording, Stamp stamp, bool opens)
    : recording_(recording), stamp_(std::move(stamp)), opens_(opens) {}

bool RecordingPort::OpenByName(const std::string& name) {
    recording_.openedNames.push_back(name);
    open_ = opens_;
    return open_;
}

void RecordingPort::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    recording_.messages.push_back({stamp_(), status, data1, data2});
}

void RecordingPort::ResetAndClose() {
    ++recording_.resets;
    open_ = false;
}

}  // namespace kaz
