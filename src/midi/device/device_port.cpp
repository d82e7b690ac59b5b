#include "midi/device/device_port.h"

#include <utility>

namespace kaz {

DeviceMidiOutPort::DeviceMidiOutPort(std::unique_ptr<MidiOutSystem> system) : system_(std::move(system)) {}

DeviceMidiOutPort::~DeviceMidiOutPort() {
    if (connection_ != nullptr) {
        ResetAndClose();
    }
}

bool DeviceMidiOutPort::OpenId(int id) {
    connection_ = system_->Open(id);
    if (connection_ == nullptr) {
        return false;
    }
    openedName_ = system_->DeviceName(id).value_or(std::string());
    return true;
}

bool DeviceMidiOutPort::OpenByName(const std::string& name) {
    const int count = system_->DeviceCount();
    for (int id = 0; id < count; ++id) {
        if (system_->DeviceName(id) == name) {
            if (OpenId(id)) {
                return true;
            }
            break;  // the outputs after a failed match are not compared
        }
    }
    for (int id = 0; id < count; ++id) {
        if (OpenId(id)) {
            return true;
        }
    }
    return false;
}

void DeviceMidiOutPort::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if (connection_ != nullptr) {
        connection_->Send(status, data1, data2);
    }
}

void DeviceMidiOutPort::ResetAndClose() {
    if (connection_ != nullptr) {
        connection_->Reset();
        connection_.reset();
    }
    openedName_.clear();
}

}  // namespace kaz
