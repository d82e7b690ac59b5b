#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/tempo.h"
#include "harmony/notation.h"
#include "harmony/score_tree.h"
#include "render/event_list.h"
#include "style/band_part.h"
#include "style/style_library.h"

namespace kaz {

//! The swing setting that keeps each style's own, and the range of those that replace it.
inline constexpr std::int32_t kStyleSwing = 0;
inline constexpr std::int32_t kSwingEven = 50;
inline constexpr std::int32_t kSwingHardest = 75;
//! The loudest the drums can be set, in percent of the style's own drum volume.
inline constexpr std::int32_t kMostDrumsVolume = 200;
//! The most variation of timing and strength the band can be given, in percent.
inline constexpr std::int32_t kMostFeel = 100;

//! How the band opens a song in a style: straight in, after a measure counted in, or with its last four
//! measures played before the first, as bands open a tune on its last line.
enum class Intro : std::uint8_t { None, CountIn, LastFourBars };

//! The accompaniment style and how the band plays it.
struct StyleSettings {
    //! The styles the user and the charts can name; without it only the block chords play.
    std::shared_ptr<const StyleLibrary> library;
    //! The style where the chart names none; empty (or the block chords' name) for the block chords.
    std::string name;
    std::uint64_t seed = 1;   //!< the same seed gives the same performance
    std::int32_t feel = 100;  //!< percent of the small variation of timing and velocity
    //! Percent of a beat the first of two eighths takes in every style, kSwingEven (even) to kSwingHardest;
    //! 0 keeps each style's own swing.
    std::int32_t swing = kStyleSwing;
    Intro intro = Intro::None;
};

//! What the renderer reads besides the score.
struct RenderSettings {
    std::int32_t transportTempo = kDefaultTempo;  //!< used when the chart has no tempo mark
    //! A tempo mark the transport tempo holds over: the user chose another tempo after the chart's mark was
    //! taken, and the mark has not been changed since. None: the chart's mark wins.
    std::optional<std::int32_t> heldTempoMark;
    NotationMode notation = kEnglishNotation;  //!< the user's B/H setting
    //! The band's parts: the block chords' chord voice is the comping part (channel 0), their bass voice the
    //! bass part (channel 1); a part's instrument and volume left unset are the style's or the defaults.
    //! The drums' volume is in percent of the style's own; 0 leaves the drums out.
    BandParts parts;
    StyleSettings style;
};

//! The tempo the performance of score starts at: the chart's tempo mark, unless settings hold the transport
//! tempo over it; the transport tempo without a mark.
[[nodiscard]] std::int32_t PerformanceTempo(const ScoreTree& score, const RenderSettings& settings);

//! Fill events with the performance of score, its measures played in score.playOrder, each in the style
//! of the last style mark at or before it (the settings' style before the first), after the intro the
//! settings ask for when a style opens the song (its length in score.intro). Resolves the chart's
//! notation into score.bLettersSeen and lowers German "B" chords in place, so it runs once per score. True
//! when a note was added.
[[nodiscard]] bool RenderArrangement(ScoreTree& score, const RenderSettings& settings, EventList& events);

//! Free the score tree and the performance of the last compile.
void ClearScore(ScoreTree& score, EventList& events);

}  // namespace kaz
