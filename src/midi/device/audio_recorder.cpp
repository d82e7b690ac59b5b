#include "midi/device/audio_recorder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#include "midi/device/audio_render.h"
#include "midi/device/builtin_synth.h"

namespace kaz {

namespace {

constexpr int kChannels = 2;
constexpr std::uint64_t kBytesPerFrame = kChannels * sizeof(std::int16_t);
constexpr int kBlockFrames = 512;
//! How often the thread renders what has become due: often enough for a steady file, rarely enough to cost
//! nothing.
constexpr std::chrono::milliseconds kPeriod{10};
//! The most sample bytes a WAV file's 32-bit lengths can count.
constexpr std::uint64_t kMaxWaveDataBytes = std::numeric_limits<std::uint32_t>::max() - 36;

std::string CannotWrite(const std::string& path, const std::string& reason) {
    return "cannot write the recording '" + path + "': " + reason;
}

std::string_view Bytes(const void* data, std::size_t size) {
    return {static_cast<const char*>(data), size};
}

std::array<char, 4> LittleEndian(std::uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

}  // namespace

AudioRecorder::AudioRecorder(SoundFontSynth& synth, std::string path, double sampleRate)
    : synth_(synth), path_(std::move(path)), sampleRate_(sampleRate) {}

std::unique_ptr<AudioRecorder> AudioRecorder::Start(SoundFontSynth& synth, const std::string& path,
                                                    double sampleRate, FileKinds kinds,
                                                    std::string& failure) {
    auto recorder = std::make_unique<AudioRecorder>(synth, path, sampleRate);
    OutputFile& file = recorder->file_;
    if (!file.Open(path, kinds)) {
        failure = CannotWrite(path, file.Error().message());
        return nullptr;
    }
    // A file that can be rewritten gets its lengths at the end; a FIFO or a device is told the largest,
    // as a stream of unknown length is.
    const std::vector<unsigned char> header =
        WaveHeader(static_cast<std::uint32_t>(sampleRate),
                   static_cast<std::uint32_t>(file.CanRewrite() ? 0 : kMaxWaveDataBytes));
    if (!file.Write(Bytes(header.data(), header.size()))) {
        failure = CannotWrite(path, file.Error().message());
        return nullptr;
    }
    recorder->thread_ = std::thread([raw = recorder.get()] { raw->Record(); });
    return recorder;
}

AudioRecorder::~AudioRecorder() {
    Finish();
}

void AudioRecorder::Record() {
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        const bool written = WriteDueFrames(static_cast<std::int64_t>(elapsed.count() * sampleRate_));
        lock.lock();
        if (!written) {
            return;
        }
        wake_.wait_for(lock, kPeriod, [this] { return stopping_; });
    }
}

bool AudioRecorder::WriteDueFrames(std::int64_t due) {
    std::vector<std::int16_t> block(static_cast<std::size_t>(kBlockFrames) * kChannels);
    for (auto rendered = static_cast<std::int64_t>(dataBytes_ / kBytesPerFrame); rendered < due;) {
        const int frames = static_cast<int>(std::min<std::int64_t>(kBlockFrames, due - rendered));
        const std::uint64_t bytes = static_cast<std::uint64_t>(frames) * kBytesPerFrame;
        if (dataBytes_ + bytes > kMaxWaveDataBytes) {
            Fail(CannotWrite(path_, "the recording is too long for a WAV file"));
            return false;
        }
        synth_.Render(frames, block.data());
        if (!file_.Write(Bytes(block.data(), bytes))) {
            Fail(CannotWrite(path_, file_.Error().message()));
            return false;
        }
        dataBytes_ += bytes;
        rendered += frames;
    }
    return true;
}

void AudioRecorder::Fail(const std::string& reason) {
    const std::lock_guard lock(mutex_);
    if (failure_.empty()) {
        failure_ = reason;
        failed_.store(true, std::memory_order_release);
    }
}

void AudioRecorder::Finish() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    if (!file_.IsOpen()) {
        return;
    }
    if (!Failure().empty()) {
        file_.Abandon();
        return;
    }
    const auto dataBytes = static_cast<std::uint32_t>(dataBytes_);
    const bool completed =
        !file_.CanRewrite() ||
        (file_.Rewrite(kWaveRiffLengthOffset, Bytes(LittleEndian(36 + dataBytes).data(), 4)) &&
         file_.Rewrite(kWaveDataLengthOffset, Bytes(LittleEndian(dataBytes).data(), 4)));
    if (!completed || !file_.Commit()) {
        Fail(CannotWrite(path_, file_.Error().message()));
        file_.Abandon();
    }
}

std::string AudioRecorder::Failure() const {
    // Asked on every playback tick: while all is well, the recording thread's lock is not taken.
    if (!failed_.load(std::memory_order_acquire)) {
        return {};
    }
    const std::lock_guard lock(mutex_);
    return failure_;
}

}  // namespace kaz
