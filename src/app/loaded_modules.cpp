#include "app/loaded_modules.h"

#include <QCoreApplication>
#include <QFile>

#include "base/program_modules.h"
// The device module brings RtMidi along.
#include "midi/device/leak_suppressions.h"

namespace kaz {

namespace {

//! The port of a Play when the devices cannot be loaded: it opens nothing and says why.
class UnloadedDevicesPort final : public MidiOutPort {
  public:
    explicit UnloadedDevicesPort(std::string failure) : failure_(std::move(failure)) {}
    [[nodiscard]] bool OpenByName(const std::string&) override { return false; }
    void SendShort(std::uint8_t, std::uint8_t, std::uint8_t) override {}
    void ResetAndClose() override {}
    [[nodiscard]] bool IsOpen() const override { return false; }
    [[nodiscard]] std::string Failure() const override { return failure_; }

  private:
    std::string failure_;
};

//! The table that a module's entry, a const Table*(), gives.
template <typename Table>
const Table* LoadTable(const char* module, const char* entry, std::string& error) {
    const std::string program = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    using Entry = const Table* (*)();
    const auto found = reinterpret_cast<Entry>(LoadModuleEntry(program, module, entry, error));
    return found != nullptr ? found() : nullptr;
}

}  // namespace

const DeviceModule* LoadDeviceModule(std::string& error) {
    return LoadTable<DeviceModule>(kDeviceModuleFile, kDeviceModuleEntry, error);
}

const InterchangeModule* LoadInterchangeModule(std::string& error) {
    return LoadTable<InterchangeModule>(kInterchangeModuleFile, kInterchangeModuleEntry, error);
}

MidiOutDeviceNames ReadMidiOutDevices() {
    std::string error;
    const DeviceModule* devices = LoadDeviceModule(error);
    return devices != nullptr ? devices->enumerateMidiOutDevices(devices->synthOptionsFromEnvironment())
                              : MidiOutDeviceNames{std::string(kBuiltInSynthName)};
}

void LoadedPorts::LoadAhead() {
    if (ports_.makePort) {
        return;
    }
    const DeviceModule* devices = LoadDeviceModule(error_);
    if (devices == nullptr) {
        return;
    }
    SynthOptions options = devices->synthOptionsFromEnvironment();
    options.audioFileKinds = audioFileKinds_;
    ports_ = devices->makeSystemPorts(std::move(options));
}

bool LoadedPorts::SoundsLoaded() {
    LoadAhead();
    return !ports_.soundsLoaded || ports_.soundsLoaded();
}

std::unique_ptr<MidiOutPort> LoadedPorts::MakePort() {
    LoadAhead();
    if (!ports_.makePort) {
        return std::make_unique<UnloadedDevicesPort>("Cannot load the MIDI and audio devices: " + error_);
    }
    return ports_.makePort();
}

}  // namespace kaz
