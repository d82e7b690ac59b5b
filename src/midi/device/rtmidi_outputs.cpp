#include "midi/device/rtmidi_outputs.h"

#include <rtmidi/RtMidi.h>

#include <array>

#include "base/midi_bytes.h"
#include "base/program.h"
#include "midi/device/leak_suppressions.h"
#include "midi/device/quiet_logging.h"
#include "midi/sounding_notes.h"

namespace kaz {

namespace {

void IgnoreMidiError(RtMidiError::Type, const std::string&, void*) {}

//! An output client of one interface, or nullptr when that interface cannot start here.
std::unique_ptr<RtMidiOut> StartClient(RtMidi::Api api) {
    SilenceSoundLibraryLogging();
    const QuietErrorStream quiet;
    try {
        auto client = std::make_unique<RtMidiOut>(api, std::string(kProgramName));
        // From here on failures come back as results instead of exceptions and printed warnings.
        client->setErrorCallback(IgnoreMidiError, nullptr);
        return client;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

//! One opened output. It follows the sounding notes so that a reset can release each of them, which
//! every receiver understands, before the all-notes-off controllers.
class RtMidiConnection final : public MidiOutConnection {
  public:
    explicit RtMidiConnection(std::unique_ptr<RtMidiOut> client) : client_(std::move(client)) {}
    ~RtMidiConnection() override { client_->closePort(); }

    void Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        Deliver(status, data1, data2);
        notes_.Follow(status, data1, data2);
    }

    void Reset() override {
        const SoundingNotes::Send deliver = [this](std::uint8_t status, std::uint8_t data1,
                                                   std::uint8_t data2) { Deliver(status, data1, data2); };
        for (std::size_t channel = 0; channel < kMidiChannels; ++channel) {
            notes_.ReleaseChannel(static_cast<std::uint8_t>(channel), deliver);
            const auto control = static_cast<std::uint8_t>(kControlChangeStatus | channel);
            Deliver(control, kSustainController, 0);
            Deliver(control, kAllSoundOffController, 0);
            Deliver(control, kAllNotesOffController, 0);
        }
    }

  private:
    void Deliver(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        const std::array<unsigned char, 3> bytes = {status, data1, data2};
        // A program change is two bytes: a third would be read as a second program change to 0.
        client_->sendMessage(bytes.data(), 1 + static_cast<std::size_t>(DataByteCount(status)));
    }

    std::unique_ptr<RtMidiOut> client_;
    SoundingNotes notes_;
};

}  // namespace

RtMidiOutputs::RtMidiOutputs() {
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (RtMidi::Api api : apis) {
        std::unique_ptr<RtMidiOut> client = StartClient(api);
        if (client == nullptr) {
            continue;
        }
        // Some interfaces crash when asked for a port's name while they have no ports at all.
        const unsigned count = client->getPortCount();
        if (count == 0) {
            continue;
        }
        api_ = static_cast<int>(api);
        for (unsigned port = 0; port < count; ++port) {
            names_.push_back(client->getPortName(port));
        }
        return;
    }
}

RtMidiOutputs::~RtMidiOutputs() = default;

std::unique_ptr<MidiOutConnection> RtMidiOutputs::Open(int index) {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    std::unique_ptr<RtMidiOut> client = StartClient(static_cast<RtMidi::Api>(api_));
    if (client == nullptr || client->getPortCount() <= static_cast<unsigned>(index)) {
        return nullptr;
    }
    client->openPort(static_cast<unsigned>(index), std::string(kProgramName));
    if (!client->isPortOpen()) {
        return nullptr;
    }
    return std::make_unique<RtMidiConnection>(std::move(client));
}

}  // namespace kaz
