#pragma once

#include <cstdint>

#include "base/tempo.h"
#include "harmony/notation.h"
#include "harmony/score_tree.h"
#include "render/event_list.h"

namespace kaz {

//! Instrument, switch and volume of the chord voice (channel 0) and the bass voice (channel 1).
struct VoiceSettings {
    bool chordsEnabled = true;
    bool bassEnabled = true;
    std::uint8_t chordsProgram = 26;  // Electric Guitar (jazz)
    std::uint8_t bassProgram = 32;    // Acoustic Bass
    std::uint8_t chordsVolume = 80;
    std::uint8_t bassVolume = 75;
};

//! What the renderer reads besides the score.
struct RenderSettings {
    std::int32_t transportTempo = kDefaultTempo;  //!< used when the chart has no tempo mark
    NotationMode notation = kEnglishNotation;     //!< the user's B/H setting
    VoiceSettings voices;
};

//! Fill events with the performance of score, its measures played in score.playOrder. Resolves the chart's
//! notation into score.bLettersSeen and lowers German "B" chords in place, so it runs once per score. True
//! when a note was added.
[[nodiscard]] bool RenderArrangement(ScoreTree& score, const RenderSettings& settings, EventList& events);

//! Free the score tree and the performance of the last compile.
void ClearScore(ScoreTree& score, EventList& events);

}  // namespace kaz
