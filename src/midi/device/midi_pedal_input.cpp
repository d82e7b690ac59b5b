#include "midi/device/midi_pedal_input.h"

#include <rtmidi/RtMidi.h>

#include <mutex>
#include <vector>

#include "base/program.h"
#include "midi/device/quiet_logging.h"

namespace kaz {

namespace {

void IgnoreMidiError(RtMidiError::Type, const std::string&, void*) {}

std::unique_ptr<RtMidiIn> StartClient(RtMidi::Api api) {
    SilenceSoundLibraryLogging();
    const QuietErrorStream quiet;
    try {
        auto client = std::make_unique<RtMidiIn>(api, std::string(kProgramName) + " pedals");
        client->setErrorCallback(IgnoreMidiError, nullptr);
        return client;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

class RtMidiPedalInput final : public MidiPedalInput {
  public:
    explicit RtMidiPedalInput(std::function<void(PedalPress)> pressed) : pressed_(std::move(pressed)) {}
    ~RtMidiPedalInput() override {
        for (const std::unique_ptr<RtMidiIn>& client : clients_) {
            client->cancelCallback();
            client->closePort();
        }
    }

    //! Open every input of api; false when it has none that opens.
    bool Listen(RtMidi::Api api) {
        std::unique_ptr<RtMidiIn> probe = StartClient(api);
        // Some interfaces crash when asked for a port's name while they have no ports at all.
        const unsigned count = probe != nullptr ? probe->getPortCount() : 0;
        for (unsigned port = 0; port < count; ++port) {
            std::unique_ptr<RtMidiIn> client = StartClient(api);
            if (client == nullptr) {
                continue;
            }
            const std::string name = client->getPortName(port);
            client->ignoreTypes(true, true, true);
            client->setCallback(&RtMidiPedalInput::Received, this);
            client->openPort(port, std::string(kProgramName) + " pedals");
            if (client->isPortOpen()) {
                names_ += (names_.empty() ? "" : ", ") + name;
                clients_.push_back(std::move(client));
            }
        }
        return !clients_.empty();
    }

    [[nodiscard]] std::string Names() const override { return names_; }

  private:
    static void Received(double, std::vector<unsigned char>* message, void* self) {
        auto* input = static_cast<RtMidiPedalInput*>(self);
        if (message == nullptr) {
            return;
        }
        std::optional<PedalPress> press;
        {
            // Every input calls from a thread of its own; the pedals' state is one.
            const std::lock_guard lock(input->mutex_);
            press = input->presses_.Read(*message);
        }
        if (press) {
            input->pressed_(*press);
        }
    }

    std::function<void(PedalPress)> pressed_;
    std::mutex mutex_;
    PedalPresses presses_;
    std::vector<std::unique_ptr<RtMidiIn>> clients_;
    std::string names_;
};

}  // namespace

std::unique_ptr<MidiPedalInput> OpenMidiPedalInput(std::function<void(PedalPress)> pressed) {
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (const RtMidi::Api api : apis) {
        auto input = std::make_unique<RtMidiPedalInput>(pressed);
        if (input->Listen(api)) {
            return input;
        }
    }
    return nullptr;
}

}  // namespace kaz
