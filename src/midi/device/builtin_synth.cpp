#include "midi/device/builtin_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "base/midi_bytes.h"
#include "midi/device/audio_recorder.h"
#include "midi/device/quiet_logging.h"

namespace kaz {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

using SettingsHandle = std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)>;
using SynthHandle = std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)>;
using AudioDriverHandle = std::unique_ptr<fluid_audio_driver_t, decltype(&delete_fluid_audio_driver)>;

//! The drivers to try when none is named: the desktop sound servers, then ALSA for a system without one, then
//! the synthesizer's own default.
std::vector<std::string> UsualAudioDrivers(fluid_settings_t* settings) {
    std::vector<std::string> drivers = {"pulseaudio", "pipewire", "alsa"};
    char* fallback = nullptr;
    if (fluid_settings_getstr_default(settings, "audio.driver", &fallback) == FLUID_OK &&
        fallback != nullptr) {
        const std::string name(fallback);
        if (std::find(drivers.begin(), drivers.end(), name) == drivers.end()) {
            drivers.push_back(name);
        }
    }
    return drivers;
}

}  // namespace

struct SoundFontSynth::Parts {
    SettingsHandle settings{nullptr, delete_fluid_settings};
    SynthHandle synth{nullptr, delete_fluid_synth};
    AudioDriverHandle audioDriver{nullptr, delete_fluid_audio_driver};  // stops before the synth goes
    std::unique_ptr<AudioRecorder> recorder;                            // likewise
};

SynthOptions SynthOptionsFromEnvironment() {
    SynthOptions options;
    options.soundFont = Environment("KAZ_SOUNDFONT");
    if (std::string driver = Environment("KAZ_AUDIO_DRIVER"); !driver.empty()) {
        options.audioDrivers.push_back(std::move(driver));
    }
    options.audioFile = Environment("KAZ_AUDIO_FILE");
    if (options.audioFile.empty()) {
        options.audioFile = "kaz-audio.wav";
    }
    return options;
}

std::string FindSoundFont(const SynthOptions& options) {
    if (!options.soundFont.empty()) {
        return IsFile(options.soundFont) ? options.soundFont : std::string();
    }
    for (const char* path : {
             "/usr/share/sounds/sf2/FluidR3_GM.sf2",
             "/usr/share/soundfonts/FluidR3_GM.sf2",
             "/usr/share/sounds/sf2/TimGM6mb.sf2",
             "/usr/share/sounds/sf2/default-GM.sf2",
             "/usr/share/soundfonts/default.sf2",
         }) {
        if (IsFile(path)) {
            return path;
        }
    }
    return {};
}

SoundFontSynth::SoundFontSynth(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

SoundFontSynth::~SoundFontSynth() = default;

std::unique_ptr<SoundFontSynth> SoundFontSynth::Create(const SynthOptions& options) {
    SilenceSoundLibraryLogging();
    const std::string soundFont = FindSoundFont(options);
    if (soundFont.empty()) {
        return nullptr;
    }
    auto parts = std::make_unique<Parts>();
    parts->settings.reset(new_fluid_settings());
    if (parts->settings == nullptr) {
        return nullptr;
    }
    fluid_settings_setnum(parts->settings.get(), "synth.gain", options.gain);
    fluid_settings_setnum(parts->settings.get(), "synth.sample-rate", options.sampleRate);
    parts->synth.reset(new_fluid_synth(parts->settings.get()));
    if (parts->synth == nullptr ||
        fluid_synth_sfload(parts->synth.get(), soundFont.c_str(), 1) == FLUID_FAILED) {
        return nullptr;
    }
    return std::make_unique<SoundFontSynth>(std::move(parts));
}

void SoundFontSynth::Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    fluid_synth_t* synth = parts_->synth.get();
    const int channel = status & kChannelMask;
    const int key = data1 & kDataMask;
    const int value = data2 & kDataMask;
    switch (status & kMessageMask) {
        case kNoteOffStatus:
            fluid_synth_noteoff(synth, channel, key);
            break;
        case kNoteOnStatus:
            if (value == 0) {
                fluid_synth_noteoff(synth, channel, key);
            } else {
                fluid_synth_noteon(synth, channel, key, value);
            }
            break;
        case kKeyPressureStatus:
            fluid_synth_key_pressure(synth, channel, key, value);
            break;
        case kControlChangeStatus:
            fluid_synth_cc(synth, channel, key, value);
            break;
        case kProgramChangeStatus:
            fluid_synth_program_change(synth, channel, key);
            break;
        case kChannelPressureStatus:
            fluid_synth_channel_pressure(synth, channel, key);
            break;
        case kPitchBendStatus:
            fluid_synth_pitch_bend(synth, channel, key | (value << 7));
            break;
        default:
            break;
    }
}

void SoundFontSynth::SilenceAll() {
    fluid_synth_all_sounds_off(parts_->synth.get(), -1);
}

void SoundFontSynth::Render(int frames, std::int16_t* out) {
    fluid_synth_write_s16(parts_->synth.get(), frames, out, 0, 2, out, 1, 2);
}

void SoundFontSynth::Render(int frames, float* out) {
    fluid_synth_write_float(parts_->synth.get(), frames, out, 0, 2, out, 1, 2);
}

bool SoundFontSynth::StartAudioOutput(const SynthOptions& options, std::string& failure) {
    fluid_settings_t* settings = parts_->settings.get();
    const std::vector<std::string> drivers =
        options.audioDrivers.empty() ? UsualAudioDrivers(settings) : options.audioDrivers;
    for (const std::string& name : drivers) {
        // A recording of our own, whose every write is checked.
        if (name == "file") {
            parts_->recorder = AudioRecorder::Start(*this, options.audioFile, options.sampleRate,
                                                    options.audioFileKinds, failure);
            if (parts_->recorder != nullptr) {
                return true;
            }
            continue;
        }
        if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) {
            continue;
        }
        parts_->audioDriver.reset(new_fluid_audio_driver(settings, parts_->synth.get()));
        if (parts_->audioDriver != nullptr) {
            return true;
        }
    }
    return false;
}

void SoundFontSynth::FinishAudioOutput() {
    if (parts_->recorder != nullptr) {
        parts_->recorder->Finish();
    }
}

void SoundFontSynth::StopAudioOutputAndReset() {
    parts_->audioDriver.reset();
    parts_->recorder.reset();
    fluid_synth_system_reset(parts_->synth.get());
}

std::string SoundFontSynth::AudioOutputFailure() const {
    return parts_->recorder != nullptr ? parts_->recorder->Failure() : std::string();
}

namespace {

//! The synthesizer sounding on the system's audio output.
class BuiltInSynthConnection final : public MidiOutConnection {
  public:
    BuiltInSynthConnection(std::unique_ptr<SoundFontSynth> synth, SynthGiveBack giveBack)
        : synth_(std::move(synth)), giveBack_(std::move(giveBack)) {}
    ~BuiltInSynthConnection() override {
        if (giveBack_) {
            synth_->StopAudioOutputAndReset();
            giveBack_(std::move(synth_));
        }
    }
    BuiltInSynthConnection(const BuiltInSynthConnection&) = delete;
    BuiltInSynthConnection& operator=(const BuiltInSynthConnection&) = delete;

    void Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        synth_->Send(status, data1, data2);
    }
    void Reset() override { synth_->SilenceAll(); }
    void Finish() override { synth_->FinishAudioOutput(); }
    [[nodiscard]] std::string Failure() const override { return synth_->AudioOutputFailure(); }

  private:
    std::unique_ptr<SoundFontSynth> synth_;
    SynthGiveBack giveBack_;
};

}  // namespace

std::unique_ptr<MidiOutConnection> OpenBuiltInSynth(const SynthOptions& options, std::string& failure) {
    return ConnectBuiltInSynth(SoundFontSynth::Create(options), options, failure, {});
}

std::unique_ptr<MidiOutConnection> ConnectBuiltInSynth(std::unique_ptr<SoundFontSynth> synth,
                                                       const SynthOptions& options, std::string& failure,
                                                       SynthGiveBack giveBack) {
    if (synth == nullptr) {
        return nullptr;
    }
    if (!synth->StartAudioOutput(options, failure)) {
        if (giveBack) {
            synth->StopAudioOutputAndReset();
            giveBack(std::move(synth));
        }
        return nullptr;
    }
    return std::make_unique<BuiltInSynthConnection>(std::move(synth), std::move(giveBack));
}

}  // namespace kaz
