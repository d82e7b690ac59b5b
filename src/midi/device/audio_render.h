#pragma once

#include <cstdint>
#include <string>

#include "midi/device/builtin_synth.h"
#include "render/event_list.h"

namespace kaz {

//! Sound after the last event, so that the final notes ring out.
inline constexpr double kReleaseTailSeconds = 1.0;

//! Render the performance through the built-in synthesizer, offline and faster than real time, into a
//! 16-bit stereo WAV file at path. Each event sounds at the sample its time gives at the tempo in force
//! (startTempo until the first tempo event). The file is written through OutputFile: a regular file is
//! replaced only when complete, a FIFO or a device is written where it is. False with error set when it
//! cannot be done.
[[nodiscard]] bool RenderWave(const EventList& events, std::int32_t startTempo, const std::string& path,
                              const SynthOptions& options, std::string& error);

}  // namespace kaz
