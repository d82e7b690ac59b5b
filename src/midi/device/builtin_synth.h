#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_kinds.h"
#include "midi/device/midi_out_system.h"

namespace kaz {

//! The built-in synthesizer's name in the device list, where it comes first.
inline constexpr std::string_view kBuiltInSynthName = "Built-in synthesizer";

//! How the built-in synthesizer sounds and where its audio goes.
struct SynthOptions {
    std::string soundFont;                      //!< a General MIDI SoundFont; empty: the first installed one
    std::vector<std::string> audioDrivers;      //!< tried in order; empty: the platform's usual outputs
    std::string audioFile;                      //!< where the "file" driver writes (a .wav)
    FileKinds audioFileKinds = FileKinds::Any;  //!< which files audioFile may name
    double gain = 0.6;                          //!< the synthesizer's default of 0.2 is too quiet for a band
    double sampleRate = 44100.0;
};

//! The options with what the environment sets: KAZ_SOUNDFONT (a .sf2 file), KAZ_AUDIO_DRIVER (one audio
//! driver, e.g. "file", which writes to KAZ_AUDIO_FILE, default "kaz-audio.wav", in real time).
[[nodiscard]] SynthOptions SynthOptionsFromEnvironment();

//! The SoundFont the options name, else the fuller General MIDI set when installed, else the small one;
//! empty when none is found.
[[nodiscard]] std::string FindSoundFont(const SynthOptions& options);

//! A synthesizer with its SoundFont loaded and no audio output of its own.
class SoundFontSynth {
  public:
    //! nullptr when the SoundFont cannot be found or loaded.
    [[nodiscard]] static std::unique_ptr<SoundFontSynth> Create(const SynthOptions& options);
    struct Parts;
    explicit SoundFontSynth(std::unique_ptr<Parts> parts);
    ~SoundFontSynth();
    SoundFontSynth(const SoundFontSynth&) = delete;
    SoundFontSynth& operator=(const SoundFontSynth&) = delete;

    void Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    //! Cut every sounding voice at once.
    void SilenceAll();
    //! Render frames of interleaved 16-bit stereo into out (2 × frames values).
    void Render(int frames, std::int16_t* out);
    //! Render frames of interleaved stereo into out (2 × frames values), full scale 1.0 and not clipped.
    void Render(int frames, float* out);
    //! Play on the first of the options' audio drivers that opens; false when none does, with the reason
    //! in failure when one is known (a recording that cannot be written).
    [[nodiscard]] bool StartAudioOutput(const SynthOptions& options, std::string& failure);
    //! Complete what the audio output writes (a recording's file); its failure, if any, stays.
    void FinishAudioOutput();
    //! Close the audio output and bring every channel back to how it was loaded (programs, controllers),
    //! ready for the next Play.
    void StopAudioOutputAndReset();
    //! Why the audio output stopped working (a recording that cannot be written); empty while it works.
    [[nodiscard]] std::string AudioOutputFailure() const;

  private:
    std::unique_ptr<Parts> parts_;
};

//! The synthesizer playing on the system's audio output; nullptr when no audio driver opens (as on a
//! machine without a sound card) or no SoundFont loads, with the reason in failure when one is known.
[[nodiscard]] std::unique_ptr<MidiOutConnection> OpenBuiltInSynth(const SynthOptions& options,
                                                                  std::string& failure);

//! Where a synthesizer goes when its output closes, stopped and reset; none: it is destroyed.
using SynthGiveBack = std::function<void(std::unique_ptr<SoundFontSynth>)>;

//! An already loaded synthesizer (nullptr: none loaded, and this fails) playing on the system's audio
//! output, given back when the output closes or fails to open; as OpenBuiltInSynth otherwise.
[[nodiscard]] std::unique_ptr<MidiOutConnection> ConnectBuiltInSynth(std::unique_ptr<SoundFontSynth> synth,
                                                                     const SynthOptions& options,
                                                                     std::string& failure,
                                                                     SynthGiveBack giveBack);

}  // namespace kaz
