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
        // The first reason found is the one of the output asked for.
        if (failure_.empty()) {
            failure_ = system_->OpenFailure();
        }
        return false;
    }
    failure_.clear();
    openedName_ = system_->DeviceName(id).value_or(std::string());
    return true;
}

bool DeviceMidiOutPort::OpenByName(const std::string& name) {
    failure_.clear();
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
        connection_->Finish();
        failure_ = connection_->Failure();
        connection_.reset();
    }
    openedName_.clear();
}

std::string DeviceMidiOutPort::Failure() const {
    return connection_ != nullptr ? connection_->Failure() : failure_;
}

}  // namespace kaz
