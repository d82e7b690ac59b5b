#include "midi/device/audio_render.h"

#include <sndfile.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "base/output_file.h"
#include "midi/device/peak_limiter.h"

namespace kaz {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * 2;
constexpr std::int64_t kWaveHeaderBytes = 44;
constexpr int kBlockFrames = 4096;
// The highest sample a render reaches: -1 dBFS.
constexpr double kMostPeak = 0.89;

//! The sample at which each event sounds, following the tempo events.
std::vector<std::int64_t> EventFrames(const EventList& events, std::int32_t startTempo, double sampleRate) {
    std::vector<std::int64_t> frames;
    frames.reserve(events.size());
    Ticks segmentTicks = 0;
    double segmentFrame = 0.0;
    double framesPerTick = sampleRate * 60.0 / (startTempo * double{TICKS_PER_QUARTER});
    for (std::size_t i = 0; i < events.size(); ++i) {
        const MidiEvent& event = events[i];
        const double frame = segmentFrame + (static_cast<double>(event.time) - segmentTicks) * framesPerTick;
        frames.push_back(std::llround(frame));
        if (event.kind == EventKind::Tempo) {
            const std::int32_t bpm = event.bpm();
            if (bpm > 0) {
                segmentTicks = event.time;
                segmentFrame = frame;
                framesPerTick = sampleRate * 60.0 / (bpm * double{TICKS_PER_QUARTER});
            }
        }
    }
    return frames;
}

//! The events' messages go straight to the synthesizer.
class SynthPort final : public MidiOutPort {
  public:
    explicit SynthPort(SoundFontSynth& synth) : synth_(synth) {}
    [[nodiscard]] bool OpenByName(const std::string&) override { return true; }
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        synth_.Send(status, data1, data2);
    }
    void ResetAndClose() override { synth_.SilenceAll(); }
    [[nodiscard]] bool IsOpen() const override { return true; }

  private:
    SoundFontSynth& synth_;
};

void PutLittleEndian(std::vector<unsigned char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

//! Where rendered samples go: a WAV file as they come, or a FLAC stream packed in memory.
class SampleSink {
  public:
    virtual ~SampleSink() = default;
    //! Take frames of interleaved 16-bit stereo; false once anything has failed.
    [[nodiscard]] virtual bool Take(const std::int16_t* samples, int frames) = 0;
};

//! Writes the WAV header, then the samples as the synthesizer renders them.
class WaveSink final : public SampleSink {
  public:
    WaveSink(OutputFile& file, double sampleRate, std::int64_t totalFrames) : file_(file) {
        const std::vector<unsigned char> header = WaveHeader(
            static_cast<std::uint32_t>(sampleRate), static_cast<std::uint32_t>(totalFrames * kBytesPerFrame));
        Write(header.data(), header.size());
    }

    [[nodiscard]] bool Take(const std::int16_t* samples, int frames) override {
        const auto count = static_cast<std::size_t>(frames) * kChannels;
        if constexpr (std::endian::native == std::endian::big) {
            swapped_.assign(samples, samples + count);
            for (std::int16_t& sample : swapped_) {
                const auto value = static_cast<std::uint16_t>(sample);
                sample = static_cast<std::int16_t>((value >> 8) | (value << 8));
            }
            samples = swapped_.data();
        }
        Write(samples, count * sizeof(std::int16_t));
        return ok_;
    }

  private:
    void Write(const void* data, std::size_t bytes) {
        ok_ = ok_ && file_.Write(std::string_view(static_cast<const char*>(data), bytes));
    }

    OutputFile& file_;
    std::vector<std::int16_t> swapped_;
    bool ok_ = true;
};

//! Packs the samples as FLAC into memory, through the sound file library's own I/O hooks; the file gets the
//! bytes once the stream is complete, because the stream's header is finished last.
class FlacSink final : public SampleSink {
  public:
    explicit FlacSink(double sampleRate) {
        SF_INFO info{};
        info.samplerate = static_cast<int>(sampleRate);
        info.channels = kChannels;
        info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        io_ = {&Length, &Seek, &Read, &Write, &Tell};
        stream_ = sf_open_virtual(&io_, SFM_WRITE, &info, this);
    }
    ~FlacSink() override { static_cast<void>(Close()); }
    FlacSink(const FlacSink&) = delete;
    FlacSink& operator=(const FlacSink&) = delete;

    [[nodiscard]] bool Opened() const { return stream_ != nullptr; }
    [[nodiscard]] bool Take(const std::int16_t* samples, int frames) override {
        return stream_ != nullptr && sf_writef_short(stream_, samples, frames) == frames;
    }
    //! Finish the stream; false when it could not be finished.
    [[nodiscard]] bool Close() {
        const bool closed = stream_ != nullptr && sf_close(stream_) == 0;
        stream_ = nullptr;
        return closed;
    }
    [[nodiscard]] const std::string& Bytes() const { return bytes_; }

  private:
    static FlacSink& Of(void* self) { return *static_cast<FlacSink*>(self); }
    static sf_count_t Length(void* self) { return static_cast<sf_count_t>(Of(self).bytes_.size()); }
    static sf_count_t Tell(void* self) { return Of(self).position_; }
    static sf_count_t Seek(sf_count_t offset, int whence, void* self) {
        FlacSink& sink = Of(self);
        const sf_count_t base = whence == SEEK_CUR   ? sink.position_
                                : whence == SEEK_END ? static_cast<sf_count_t>(sink.bytes_.size())
                                                     : 0;
        sink.position_ = std::max<sf_count_t>(0, base + offset);
        return sink.position_;
    }
    static sf_count_t Read(void* data, sf_count_t count, void* self) {
        FlacSink& sink = Of(self);
        const auto available = static_cast<sf_count_t>(sink.bytes_.size()) - sink.position_;
        const sf_count_t taken = std::clamp<sf_count_t>(count, 0, std::max<sf_count_t>(0, available));
        std::memcpy(data, sink.bytes_.data() + sink.position_, static_cast<std::size_t>(taken));
        sink.position_ += taken;
        return taken;
    }
    static sf_count_t Write(const void* data, sf_count_t count, void* self) {
        FlacSink& sink = Of(self);
        const auto end = static_cast<std::size_t>(sink.position_ + count);
        if (end > sink.bytes_.size()) {
            sink.bytes_.resize(end);
        }
        std::memcpy(sink.bytes_.data() + sink.position_, data, static_cast<std::size_t>(count));
        sink.position_ += count;
        return count;
    }

    SF_VIRTUAL_IO io_{};
    SNDFILE* stream_ = nullptr;
    std::string bytes_;
    sf_count_t position_ = 0;
};

//! Measures the level of what is rendered: its loudness (the root mean square) and its peak, over as many
//! frames as it is given room for; then it asks for no more.
class LevelMeter final : public SampleSink {
  public:
    explicit LevelMeter(std::int64_t frames) : room_(frames) {}

    [[nodiscard]] bool Take(const std::int16_t* samples, int frames) override {
        for (int i = 0; i < frames * kChannels; ++i) {
            const double sample = samples[i] / 32768.0;
            squares_ += sample * sample;
            peak_ = std::max(peak_, std::abs(sample));
        }
        measured_ += frames;
        return measured_ < room_;
    }
    [[nodiscard]] double Loudness() const {
        return measured_ == 0 ? 0.0 : std::sqrt(squares_ / static_cast<double>(measured_ * kChannels));
    }
    [[nodiscard]] double Peak() const { return peak_; }

  private:
    std::int64_t room_;
    std::int64_t measured_ = 0;
    double squares_ = 0.0;
    double peak_ = 0.0;
};

enum class Performance { Complete, SinkFailed, Stopped };

//! Play the events into the synthesizer and hand what it sounds to sink through limiter, block by block,
//! telling progress how far it has come.
Performance Perform(SoundFontSynth& synth, const EventList& events, const std::vector<std::int64_t>& frames,
                    std::int64_t totalFrames, PeakLimiter& limiter, SampleSink& sink,
                    const RenderProgress& progress) {
    SynthPort port(synth);
    std::vector<float> block(static_cast<std::size_t>(kBlockFrames) * kChannels);
    std::vector<std::int16_t> limited;
    std::int64_t rendered = 0;
    Performance performance = Performance::Complete;
    const auto handOn = [&] {
        if (!sink.Take(limited.data(), static_cast<int>(limited.size() / kChannels))) {
            performance = Performance::SinkFailed;
        }
        limited.clear();
    };
    const auto renderUntil = [&](std::int64_t frame) {
        while (rendered < frame && performance == Performance::Complete) {
            const int count = static_cast<int>(std::min<std::int64_t>(kBlockFrames, frame - rendered));
            synth.Render(count, block.data());
            rendered += count;
            limiter.Process(block.data(), count, limited);
            handOn();
            if (performance == Performance::Complete && progress &&
                !progress(static_cast<double>(rendered) / static_cast<double>(totalFrames))) {
                performance = Performance::Stopped;
            }
        }
    };
    for (std::size_t i = 0; i < events.size() && performance == Performance::Complete; ++i) {
        renderUntil(frames[i]);
        events[i].Play(port);
    }
    renderUntil(totalFrames);
    if (performance == Performance::Complete) {
        limiter.Drain(limited);
        handOn();
    }
    return performance;
}

//! The synthesizer's gain that brings the performance to the render level: a loudness of kTargetLoudness,
//! measured on the song's first minutes rendered quietly, with the peaks it would take above kMostPeak left
//! to the limiter, but no more than kMostLimiting above it.
double RenderGain(const EventList& events, const std::vector<std::int64_t>& frames, std::int64_t totalFrames,
                  const SynthOptions& options) {
    constexpr double kTargetLoudness = 0.1;  // -20 dBFS
    constexpr double kMeasuredSeconds = 120.0;
    constexpr double kQuiet = 0.25;
    constexpr double kMostRaise = 4.0;     // a nearly silent song is not pumped up to noise
    constexpr double kMostLimiting = 2.0;  // 6 dB: a drum's attack is rounded, never flattened
    SynthOptions quiet = options;
    quiet.gain = options.gain * kQuiet;
    std::unique_ptr<SoundFontSynth> synth = SoundFontSynth::Create(quiet);
    if (synth == nullptr) {
        return options.gain;
    }
    LevelMeter meter(
        std::min<std::int64_t>(totalFrames, std::llround(kMeasuredSeconds * options.sampleRate)));
    // Rendered quietly, the song hardly ever reaches the limiter's full scale.
    PeakLimiter clipGuard(1.0, options.sampleRate);
    static_cast<void>(Perform(*synth, events, frames, totalFrames, clipGuard, meter, nullptr));
    if (meter.Loudness() <= 0.0 || meter.Peak() <= 0.0) {
        return options.gain;
    }
    const double raise = std::min(
        {kTargetLoudness / meter.Loudness(), kMostLimiting * kMostPeak / meter.Peak(), kMostRaise / kQuiet});
    return quiet.gain * raise;
}

Message CannotWrite(const std::string& path, const OutputFile& file) {
    return {"cannot write '%1': %2", {path, file.Error().message()}};
}

}  // namespace

std::vector<unsigned char> WaveHeader(std::uint32_t sampleRate, std::uint32_t dataBytes) {
    std::vector<unsigned char> header;
    header.reserve(static_cast<std::size_t>(kWaveHeaderBytes));
    const auto text = [&header](const char* four) { header.insert(header.end(), four, four + 4); };
    text("RIFF");
    PutLittleEndian(header, 36 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    PutLittleEndian(header, 16, 4);
    PutLittleEndian(header, 1, 2);  // PCM
    PutLittleEndian(header, kChannels, 2);
    PutLittleEndian(header, sampleRate, 4);
    PutLittleEndian(header, sampleRate * kBytesPerFrame, 4);
    PutLittleEndian(header, kBytesPerFrame, 2);
    PutLittleEndian(header, 16, 2);
    text("data");
    PutLittleEndian(header, dataBytes, 4);
    return header;
}

bool CanWriteFlac() {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = kChannels;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    return sf_format_check(&info) != 0;
}

AudioFormat AudioFormatOfPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".flac" ? AudioFormat::Flac : AudioFormat::Wav;
}

RenderOutcome RenderAudio(const EventList& events, std::int32_t startTempo, const std::string& path,
                          AudioFormat format, const SynthOptions& options, const RenderProgress& progress,
                          Message& error, bool toStandardOutput, FileKinds kinds) {
    if (startTempo <= 0) {
        error = "the tempo must be positive";
        return RenderOutcome::Failed;
    }
    const std::vector<std::int64_t> frames = EventFrames(events, startTempo, options.sampleRate);
    const std::int64_t songFrames = frames.empty() ? 0 : std::max<std::int64_t>(0, frames.back());
    const std::int64_t totalFrames = songFrames + std::llround(kReleaseTailSeconds * options.sampleRate);
    if (format == AudioFormat::Wav &&
        totalFrames * kBytesPerFrame + kWaveHeaderBytes - 8 > std::int64_t{UINT32_MAX}) {
        error = "the song is too long for a WAV file";
        return RenderOutcome::Failed;
    }
    if (format == AudioFormat::Flac && !CanWriteFlac()) {
        error = "the installed sound file library cannot write FLAC";
        return RenderOutcome::Failed;
    }
    SynthOptions levelled = options;
    levelled.gain = RenderGain(events, frames, totalFrames, options);
    std::unique_ptr<SoundFontSynth> synth = SoundFontSynth::Create(levelled);
    if (synth == nullptr) {
        const std::string soundFont = FindSoundFont(options);
        error = soundFont.empty()
                    ? Message("no General MIDI SoundFont found (set KAZ_SOUNDFONT to a .sf2 file)")
                    : Message("cannot load the SoundFont '%1'", {soundFont});
        return RenderOutcome::Failed;
    }
    OutputFile file;
    if (!(toStandardOutput ? file.OpenStandardOutput() : file.Open(path, kinds))) {
        error = CannotWrite(path, file);
        return RenderOutcome::Failed;
    }
    Performance performance = Performance::SinkFailed;
    PeakLimiter limiter(kMostPeak, options.sampleRate);
    bool written = false;
    if (format == AudioFormat::Flac) {
        FlacSink flac(options.sampleRate);
        if (flac.Opened()) {
            performance = Perform(*synth, events, frames, totalFrames, limiter, flac, progress);
        }
        written = performance == Performance::Complete && flac.Close() && file.Write(flac.Bytes());
    } else {
        WaveSink wave(file, options.sampleRate, totalFrames);
        performance = Perform(*synth, events, frames, totalFrames, limiter, wave, progress);
        written = performance == Performance::Complete;
    }
    if (written && file.Commit()) {
        return RenderOutcome::Written;
    }
    file.Abandon();
    if (performance == Performance::Stopped) {
        return RenderOutcome::Cancelled;
    }
    error =
        file.Error() ? CannotWrite(path, file) : Message("cannot write '%1': the FLAC stream failed", {path});
    return RenderOutcome::Failed;
}

}  // namespace kaz
