#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kaz {

//! The three parts of the band a style writes patterns for.
enum class StylePart : std::uint8_t { Comping, Bass, Drums };

//! How hard a hit is played: a ghost note, a plain hit, an accent.
enum class HitWeight : std::uint8_t { Soft, Plain, Accent };

//! What a bass hit plays on the chord of its moment.
enum class BassDegree : std::uint8_t {
    Root,  //!< the chord's root, or its written bass
    Third,
    Fifth,
    Seventh,
    Octave,    //!< the root an octave from the last root
    Walk,      //!< a step of a walking line: chord tones and passing tones towards the next chord
    Approach,  //!< a half or whole step into the next chord's root
};

//! One hit of a pattern row: where it starts and how many cells it lasts.
struct PatternHit {
    std::uint16_t measure = 0;  //!< which measure of a multi-measure row
    std::uint16_t cell = 0;     //!< from the start of that measure
    std::uint16_t length = 1;   //!< in cells
    HitWeight weight = HitWeight::Plain;
    BassDegree degree = BassDegree::Root;  //!< bass rows only
};

//! A line of a style's pattern: one part (and one drum for the drums) over one or more measures.
struct PatternRow {
    StylePart part = StylePart::Comping;
    std::uint8_t drumKey = 0;  //!< the General MIDI percussion key of a drum row
    bool fill = false;         //!< played in a fill measure instead of the drum rows
    std::uint16_t cellsPerMeasure = 0;
    std::uint16_t measures = 1;    //!< the row repeats after this many measures
    std::vector<PatternHit> hits;  //!< in time order
};

//! The patterns of one meter.
struct MeterPattern {
    std::int32_t num = 4;
    std::int32_t den = 4;
    std::vector<PatternRow> rows;
};

//! The share of a beat the first of two swung eighths takes (0.5 plays them even), between two tempos; in
//! between it changes in proportion, outside it holds the nearer value.
struct SwingFeel {
    double slowShare = 0.5;
    std::int32_t slowTempo = 120;
    double fastShare = 0.5;
    std::int32_t fastTempo = 120;

    [[nodiscard]] double ShareAt(std::int32_t tempo) const;
};

//! The instrument and volume a style suggests for a voice.
struct StyleVoice {
    std::uint8_t program = 0;
    std::uint8_t volume = 80;
};

//! A groove as its file gives it.
struct Style {
    std::string name;
    std::string file;  //!< where it was read from
    SwingFeel swing;
    StyleVoice chords{26, 70};
    StyleVoice bass{32, 85};
    std::uint8_t drumsVolume = 100;  //!< percent of the written drum velocities
    std::vector<MeterPattern> meters;

    //! The pattern written for num/den, or nullptr.
    [[nodiscard]] const MeterPattern* OwnPattern(std::int32_t num, std::int32_t den) const;
};

//! A pattern for a meter the style has none for: the beats of pattern in turn, beat i of the measure playing
//! beat i modulo pattern's beats, so that 5/4 in a 4/4 style is a 4/4 measure and its first beat again.
[[nodiscard]] MeterPattern CycleBeats(const MeterPattern& pattern, std::int32_t num, std::int32_t den);

}  // namespace kaz
