#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/file_kinds.h"
#include "base/message.h"
#include "midi/device/builtin_synth.h"
#include "render/event_list.h"

namespace kaz {

//! Sound after the last event, so that the final notes ring out.
inline constexpr double kReleaseTailSeconds = 1.0;

//! The audio files a performance can be rendered to: 16-bit stereo, uncompressed or losslessly packed.
enum class AudioFormat { Wav, Flac };

//! True when the installed sound file library can write FLAC.
[[nodiscard]] bool CanWriteFlac();
//! The format a file name asks for: FLAC for ".flac" (any case), otherwise WAV.
[[nodiscard]] AudioFormat AudioFormatOfPath(const std::string& path);

//! Told how much of the song is rendered, from 0 to 1, every few thousand samples; false stops the render.
using RenderProgress = std::function<bool(double done)>;

enum class RenderOutcome { Written, Cancelled, Failed };

//! The 44 bytes that open a WAV file of 16-bit stereo at sampleRate with dataBytes of samples.
[[nodiscard]] std::vector<unsigned char> WaveHeader(std::uint32_t sampleRate, std::uint32_t dataBytes);
//! Where the header's two lengths stand, for a file whose length is known only at its end.
inline constexpr std::uint64_t kWaveRiffLengthOffset = 4;
inline constexpr std::uint64_t kWaveDataLengthOffset = 40;

//! Render the performance through the built-in synthesizer, offline and faster than real time, into an
//! audio file of format at path, at one level whatever the style: a loudness of -20 dBFS, measured on the
//! song's first two minutes, with a limiter keeping every peak below -1 dBFS. Each event sounds at the sample
//! its time gives at the tempo in force (startTempo until the first tempo event), and the file lasts the song
//! plus the release tail. The file is written through OutputFile: a regular file is replaced only when
//! complete, and stays as it was when the render fails or is stopped. error says why a render failed. With
//! toStandardOutput the audio goes to the program's standard output, and path only names it in messages.
//! kinds says which files path may name.
[[nodiscard]] RenderOutcome RenderAudio(const EventList& events, std::int32_t startTempo,
                                        const std::string& path, AudioFormat format,
                                        const SynthOptions& options, const RenderProgress& progress,
                                        Message& error, bool toStandardOutput = false,
                                        FileKinds kinds = FileKinds::Any);

}  // namespace kaz
