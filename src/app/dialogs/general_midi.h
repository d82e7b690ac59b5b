#pragma once

#include <array>
#include <string_view>

namespace kaz {

inline constexpr int kGeneralMidiProgramCount = 128;

//! The instrument names of the General MIDI Level 1 sound set, worded as published, indexed by MIDI
//! program number 0..127.
extern const std::array<std::string_view, kGeneralMidiProgramCount> kGeneralMidiProgramNames;

}  // namespace kaz
