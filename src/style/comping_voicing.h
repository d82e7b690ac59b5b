#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "style/chord_tones.h"
#include "style/style.h"

namespace kaz {

//! The comping range of the close voicing: from C3 to G5, below the melody and above the bass.
inline constexpr std::int32_t kLowestCompKey = 48;
inline constexpr std::int32_t kHighestCompKey = 79;

//! What a chord is made of, as a player thinks of it: the root, the third and the seventh that say what the
//! chord is, its fifth, and the tensions written on top. Intervals are semitones above the root, 0..11.
struct ChordAnatomy {
    std::int32_t root = 0;               //!< pitch class
    std::int32_t third = -1;             //!< 3 or 4; -1 for a sus or power chord
    std::int32_t seventh = -1;           //!< 10 or 11, 9 for a diminished seventh or a sixth; -1 for a triad
    std::int32_t fifth = -1;             //!< 7, or 6 or 8 when altered; -1 when the chord has none
    std::vector<std::int32_t> tensions;  //!< every other tone: 9ths, 11ths, 13ths, sus tones

    [[nodiscard]] static ChordAnatomy Of(const ChordTones& chord);
    //! The tones that must sound in every voicing: the third, the seventh, an altered fifth and the tensions.
    [[nodiscard]] std::vector<std::int32_t> Essentials() const;
    [[nodiscard]] bool Dominant() const { return third == 4 && seventh == 10; }
    [[nodiscard]] bool HasTension(std::int32_t interval) const;
};

//! A comping player's hands: each chord laid out the way the instrument plays it (see Voicing), the shape and
//! octave chosen that move least from the voicing before it, so common tones stay and the others move by the
//! smallest steps. The root may be left to the bass, the fifth too, but never the third, the seventh or a
//! tension the chart writes.
class CompingVoicing {
  public:
    explicit CompingVoicing(Voicing voicing = Voicing::Close) : voicing_(voicing) {}

    //! The keys of chord, lowest first.
    [[nodiscard]] const std::vector<std::int32_t>& Voice(const ChordTones& chord);

  private:
    [[nodiscard]] std::vector<std::int32_t> Lead(const ChordTones& chord) const;

    Voicing voicing_;
    std::vector<std::int32_t> last_;
    //! The voicing chosen for a chord after a voicing, by both: a song's chords come round again and again.
    std::unordered_map<std::string, std::vector<std::int32_t>> known_;
    std::string key_;
};

}  // namespace kaz
