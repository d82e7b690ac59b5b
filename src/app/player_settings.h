#pragma once

#include "midi/playback_engine.h"
#include "render/arrangement_renderer.h"

namespace kaz {

//! The most a practice loop may speed up each time round, in quarter notes per minute.
inline constexpr std::int32_t kMaxPracticeTempoStep = 50;
//! The most semitones a loop moves the music each time round, either way.
inline constexpr std::int32_t kMostKeyStep = 6;

//! The settings of the player's own features. They live beside the program's settings, each under a name of
//! its own: "View/FollowView", "Playback/CountIn", "Playback/EditWhilePlaying",
//! "Playback/PracticeTempoStep" and "Playback/PracticeTempoCeiling".
struct PlayerSettings {
    bool followView = false;
    bool countIn = false;
    bool editWhilePlaying = false;
    PracticeTempo practiceTempo;
};

//! Read the settings; a missing or unreadable value keeps its default, a number out of range is brought in.
[[nodiscard]] PlayerSettings LoadPlayerSettings();
void SaveFollowView(bool shown);
void SaveCountIn(bool on);
void SaveEditWhilePlaying(bool on);
void SavePracticeTempo(const PracticeTempo& tempo);

//! Read how the band plays into settings: "Style/DrumsVolume" (the drum part's volume), "Style/Swing",
//! "Style/Feel" and "Style/Seed". A missing or unreadable value keeps what settings hold, a number out of
//! range is brought in.
void LoadBandSettings(RenderSettings& settings);
//! Write the four values of settings.
void SaveBandSettings(const RenderSettings& settings);

}  // namespace kaz
