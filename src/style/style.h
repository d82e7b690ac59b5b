#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kaz {

//! What a row of a style's pattern plays: chords (the comping, a second guitar, a pad), the bass, or a drum.
enum class StylePart : std::uint8_t { Comping, Bass, Drums };

//! How a chord instrument lays out a chord.
enum class Voicing : std::uint8_t {
    Close,     //!< four notes in close position
    Rootless,  //!< a pianist's left hand: 3-7-9 and 7-3-13 shapes, the bass has the root
    Drop2,     //!< a guitarist's four-note chord: the second voice from the top an octave down
    Shell,     //!< root, third and seventh low on the guitar
    Power,     //!< root, fifth and octave, for rock
    High,      //!< two or three notes high up, for funk
    Pad,       //!< wide and held, under a ballad
};

//! How hard a hit is played: a ghost note, a plain hit, an accent.
enum class HitWeight : std::uint8_t { Soft, Plain, Accent };

//! What a bass hit plays on the chord of its moment.
enum class BassDegree : std::uint8_t {
    Root,  //!< the chord's root, or its written bass
    Third,
    Fifth,
    Sixth,  //!< the major sixth, the boogie's step between the fifth and the seventh
    Seventh,
    Octave,    //!< the root an octave from the last root
    Walk,      //!< a step of a walking line: chord tones and passing tones towards the next chord
    Approach,  //!< a half or whole step into the next chord's root
    Next,      //!< the next chord's root played early and held into its change, as a tumbao does
};

//! One hit of a pattern row: where it starts and how many cells it lasts.
struct PatternHit {
    std::uint16_t measure = 0;  //!< which measure of a multi-measure row
    std::uint16_t cell = 0;     //!< from the start of that measure
    std::uint16_t length = 1;   //!< in cells
    HitWeight weight = HitWeight::Plain;
    BassDegree degree = BassDegree::Root;  //!< bass rows only
    bool chance = false;                   //!< a drum hit played now and then, not every time
};

//! A line of a style's pattern: one part (and one drum for the drums) over one or more measures.
struct PatternRow {
    StylePart part = StylePart::Comping;
    std::string_view partId = "comping";  //!< the band's part that plays it (see kPartTable)
    std::uint8_t drumKey = 0;             //!< the General MIDI percussion key of a drum row
    bool fill = false;                    //!< played in a fill measure instead of the drum rows
    bool light = false;   //!< played in the lighter opening of a song instead of the part's other rows
    bool ending = false;  //!< the figure the band ends the song on, played in its last measure
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

//! The instrument, volume and voicing a style gives one of its parts.
struct StyleVoice {
    std::string_view part = "comping";  //!< the part's id (see kPartTable)
    std::uint8_t program = 0;
    std::uint8_t volume = 80;
    Voicing voicing = Voicing::Close;
};

//! The drum kit of the percussion channel, as General MIDI sound sets number them.
enum class DrumKit : std::uint8_t { Standard = 0, Room = 8, Power = 16, Jazz = 32, Brushes = 40 };

//! A groove as its file gives it.
struct Style {
    std::string name;
    std::string file;  //!< where it was read from
    SwingFeel swing;
    //! The parts that play chords or the bass, comping and bass first.
    std::vector<StyleVoice> voices{{"comping", 26, 70, Voicing::Close}, {"bass", 32, 85, Voicing::Close}};
    std::uint8_t drumsVolume = 100;  //!< percent of the written drum velocities
    DrumKit kit = DrumKit::Standard;
    //! Percent of the changes on a bar line or a half bar that the comping plays an eighth early.
    std::int32_t push = 0;
    std::vector<MeterPattern> meters;

    //! The pattern written for num/den, or nullptr.
    [[nodiscard]] const MeterPattern* OwnPattern(std::int32_t num, std::int32_t den) const;
    //! The style's settings for the part called id, or nullptr when it has none.
    [[nodiscard]] const StyleVoice* Voice(std::string_view id) const;
    [[nodiscard]] StyleVoice* Voice(std::string_view id);
};

//! A pattern for a meter the style has none for: the beats of pattern in turn, beat i of the measure playing
//! beat i modulo pattern's beats, so that 5/4 in a 4/4 style is a 4/4 measure and its first beat again.
[[nodiscard]] MeterPattern CycleBeats(const MeterPattern& pattern, std::int32_t num, std::int32_t den);

}  // namespace kaz
