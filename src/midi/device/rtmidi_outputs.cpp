#include "midi/device/rtmidi_outputs.h"

#include <rtmidi/RtMidi.h>

#include <array>
#include <bitset>

#include "base/midi_bytes.h"
#include "base/program.h"
#include "midi/device/leak_suppressions.h"
#include "midi/device/quiet_logging.h"

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

//! One opened output. It remembers the sounding notes so that a reset can release each of them, which
//! every receiver understands, before the all-notes-off controllers.
class RtMidiConnection final : public MidiOutConnection {
  public:
    explicit RtMidiConnection(std::unique_ptr<RtMidiOut> client) : client_(std::move(client)) {}
    ~RtMidiConnection() override { client_->closePort(); }

    void Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        const std::array<unsigned char, 3> bytes = {status, data1, data2};
        // A program change is two bytes: a third would be read as a second program change to 0.
        client_->sendMessage(bytes.data(), 1 + static_cast<std::size_t>(DataByteCount(status)));
        Track(status, data1, data2);
    }

    void Reset() override {
        for (std::size_t channel = 0; channel < kChannels; ++channel) {
            for (std::size_t key = 0; key < kKeys; ++key) {
                if (sounding_[channel * kKeys + key]) {
                    Send(static_cast<std::uint8_t>(kNoteOffStatus | channel), static_cast<std::uint8_t>(key),
                         0);
                }
            }
            const auto control = static_cast<std::uint8_t>(kControlChangeStatus | channel);
            Send(control, kSustainController, 0);
            Send(control, kAllSoundOffController, 0);
            Send(control, kAllNotesOffController, 0);
        }
    }

  private:
    static constexpr std::size_t kChannels = kMidiChannels;
    static constexpr std::size_t kKeys = kMidiKeys;

    void Track(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        const std::size_t note = (status & kChannelMask) * kKeys + (data1 & kDataMask);
        if ((status & kMessageMask) == kNoteOnStatus) {
            sounding_[note] = data2 != 0;
        } else if ((status & kMessageMask) == kNoteOffStatus) {
            sounding_[note] = false;
        }
    }

    std::unique_ptr<RtMidiOut> client_;
    std::bitset<kChannels * kKeys> sounding_;
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
