#include "midi/device/synth_keeper.h"

#include <utility>

namespace kaz {

SynthKeeper::SynthKeeper(SynthOptions options) : options_(std::move(options)), loader_([this] { Load(); }) {}

SynthKeeper::~SynthKeeper() {
    loader_.join();
}

void SynthKeeper::Load() {
    std::unique_ptr<SoundFontSynth> synth = SoundFontSynth::Create(options_);
    const std::lock_guard lock(mutex_);
    kept_ = std::move(synth);
    loaded_ = true;
    loadDone_.notify_all();
}

bool SynthKeeper::Loaded() const {
    const std::lock_guard lock(mutex_);
    return loaded_;
}

std::unique_ptr<SoundFontSynth> SynthKeeper::Take() {
    std::unique_lock lock(mutex_);
    loadDone_.wait(lock, [this] { return loaded_; });
    if (kept_ != nullptr) {
        return std::move(kept_);
    }
    lock.unlock();
    return SoundFontSynth::Create(options_);
}

void SynthKeeper::GiveBack(std::unique_ptr<SoundFontSynth> synth) {
    const std::lock_guard lock(mutex_);
    if (kept_ == nullptr) {
        kept_ = std::move(synth);
    }
}

}  // namespace kaz
