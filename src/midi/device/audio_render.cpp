#include "midi/device/audio_render.h"

#include <bit>
#include <cmath>
#include <string_view>
#include <vector>

#include "base/output_file.h"

namespace kaz {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * 2;
constexpr std::int64_t kWaveHeaderBytes = 44;
constexpr int kBlockFrames = 4096;

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

std::vector<unsigned char> WaveHeader(std::uint32_t sampleRate, std::uint32_t dataBytes) {
    std::vector<unsigned char> header;
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

//! Writes the samples as the synthesizer renders them; the file remembers the first failure.
class WaveWriter {
  public:
    explicit WaveWriter(OutputFile& file) : file_(file) {}

    void Write(const void* data, std::size_t bytes) {
        ok_ = ok_ && file_.Write(std::string_view(static_cast<const char*>(data), bytes));
    }
    void WriteSamples(std::vector<std::int16_t>& samples, int frames) {
        const auto count = static_cast<std::size_t>(frames) * kChannels;
        if constexpr (std::endian::native == std::endian::big) {
            for (std::size_t i = 0; i < count; ++i) {
                const auto value = static_cast<std::uint16_t>(samples[i]);
                samples[i] = static_cast<std::int16_t>((value >> 8) | (value << 8));
            }
        }
        Write(samples.data(), count * sizeof(std::int16_t));
    }
    [[nodiscard]] bool ok() const { return ok_; }

  private:
    OutputFile& file_;
    bool ok_ = true;
};

void Perform(SoundFontSynth& synth, const EventList& events, const std::vector<std::int64_t>& frames,
             std::int64_t totalFrames, WaveWriter& writer) {
    SynthPort port(synth);
    NoEditor editor;
    std::vector<std::int16_t> block(static_cast<std::size_t>(kBlockFrames) * kChannels);
    std::int64_t rendered = 0;
    const auto renderUntil = [&](std::int64_t frame) {
        while (rendered < frame && writer.ok()) {
            const int count = static_cast<int>(std::min<std::int64_t>(kBlockFrames, frame - rendered));
            synth.Render(count, block.data());
            writer.WriteSamples(block, count);
            rendered += count;
        }
    };
    for (std::size_t i = 0; i < events.size(); ++i) {
        renderUntil(frames[i]);
        events[i].Play(port, editor);
    }
    renderUntil(totalFrames);
}

}  // namespace

bool RenderWave(const EventList& events, std::int32_t startTempo, const std::string& path,
                const SynthOptions& options, std::string& error) {
    if (startTempo <= 0) {
        error = "the tempo must be positive";
        return false;
    }
    const std::vector<std::int64_t> frames = EventFrames(events, startTempo, options.sampleRate);
    const std::int64_t songFrames = frames.empty() ? 0 : std::max<std::int64_t>(0, frames.back());
    const std::int64_t totalFrames = songFrames + std::llround(kReleaseTailSeconds * options.sampleRate);
    const std::int64_t dataBytes = totalFrames * kBytesPerFrame;
    if (dataBytes + kWaveHeaderBytes - 8 > std::int64_t{UINT32_MAX}) {
        error = "the song is too long for a WAV file";
        return false;
    }
    std::unique_ptr<SoundFontSynth> synth = SoundFontSynth::Create(options);
    if (synth == nullptr) {
        const std::string soundFont = FindSoundFont(options);
        error = soundFont.empty() ? "no General MIDI SoundFont found (set KAZ_SOUNDFONT to a .sf2 file)"
                                  : "cannot load the SoundFont '" + soundFont + "'";
        return false;
    }

    OutputFile file;
    if (!file.Open(path)) {
        error = "cannot write '" + path + "': " + file.Error().message();
        return false;
    }
    WaveWriter writer(file);
    const std::vector<unsigned char> header =
        WaveHeader(static_cast<std::uint32_t>(options.sampleRate), static_cast<std::uint32_t>(dataBytes));
    writer.Write(header.data(), header.size());
    Perform(*synth, events, frames, totalFrames, writer);
    if (!writer.ok() || !file.Commit()) {
        error = "cannot write '" + path + "': " + file.Error().message();
        return false;
    }
    return true;
}

}  // namespace kaz
