#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "midi/device/builtin_synth.h"

namespace kaz {

//! The built-in synthesizer loaded ahead, on a thread of its own, so that Play need not wait for its
//! SoundFont (seconds for a full General MIDI set), and kept between Plays.
class SynthKeeper {
  public:
    //! Starts loading at once.
    explicit SynthKeeper(SynthOptions options);
    //! Waits for a load still running.
    ~SynthKeeper();
    SynthKeeper(const SynthKeeper&) = delete;
    SynthKeeper& operator=(const SynthKeeper&) = delete;

    //! Whether Take would return without waiting for the load.
    [[nodiscard]] bool Loaded() const;
    //! The loaded synthesizer, once the load is done; when it is lent out already, or its load failed, one
    //! loaded now. nullptr when no SoundFont loads.
    [[nodiscard]] std::unique_ptr<SoundFontSynth> Take();
    //! Keep a synthesizer that was taken, for the next Take; its audio output stopped and reset.
    void GiveBack(std::unique_ptr<SoundFontSynth> synth);

  private:
    void Load();

    const SynthOptions options_;
    mutable std::mutex mutex_;
    std::condition_variable loadDone_;
    bool loaded_ = false;
    std::unique_ptr<SoundFontSynth> kept_;
    std::thread loader_;  // last: starts once everything it uses is there
};

}  // namespace kaz
