#pragma once

#include <cstddef>
#include <cstdint>

namespace kaz {

// The bytes of the MIDI messages and file events the program sends and writes, named once for every port and
// writer.

inline constexpr std::size_t kMidiChannels = 16;
inline constexpr std::size_t kMidiKeys = 128;
//! General MIDI's percussion channel (channel 10 as players count).
inline constexpr std::uint8_t kPercussionChannel = 9;
//! The bass part's channel, where a style's walking and pattern bass lines are written.
inline constexpr std::uint8_t kBassChannel = 1;

// Channel messages: the status's high nibble; the low nibble is the channel.
inline constexpr std::uint8_t kNoteOffStatus = 0x80;
inline constexpr std::uint8_t kNoteOnStatus = 0x90;
inline constexpr std::uint8_t kKeyPressureStatus = 0xA0;
inline constexpr std::uint8_t kControlChangeStatus = 0xB0;
inline constexpr std::uint8_t kProgramChangeStatus = 0xC0;
inline constexpr std::uint8_t kChannelPressureStatus = 0xD0;
inline constexpr std::uint8_t kPitchBendStatus = 0xE0;
inline constexpr std::uint8_t kMessageMask = 0xF0;
inline constexpr std::uint8_t kChannelMask = 0x0F;
inline constexpr std::uint8_t kDataMask = 0x7F;

// Controllers.
inline constexpr std::uint8_t kVolumeController = 7;
inline constexpr std::uint8_t kPanController = 10;
inline constexpr std::uint8_t kSustainController = 64;
inline constexpr std::uint8_t kReverbController = 91;
inline constexpr std::uint8_t kAllSoundOffController = 120;
inline constexpr std::uint8_t kAllNotesOffController = 123;

// Standard MIDI File meta events: kMetaEvent, then the type.
inline constexpr std::uint8_t kMetaEvent = 0xFF;
inline constexpr std::uint8_t kMetaText = 0x01;
inline constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr std::uint8_t kMetaTempo = 0x51;
inline constexpr std::uint8_t kMetaTimeSignature = 0x58;

//! The number of data bytes that follow status in a channel message: one for a program change or channel
//! pressure, two for the others.
[[nodiscard]] constexpr int DataByteCount(std::uint8_t status) {
    const auto message = static_cast<std::uint8_t>(status & kMessageMask);
    return message == kProgramChangeStatus || message == kChannelPressureStatus ? 1 : 2;
}

}  // namespace kaz
