#pragma once

#include <cstdint>
#include <initializer_list>

#include "harmony/score_tree.h"

namespace kaz {

//! The pitch classes a chord sounds, as the style engine reads them from the chord's own keys, so that a
//! user's definition and every spelling of the chord give the tones they give the block chord.
struct ChordTones {
    std::uint16_t classes = 0;  //!< bit n set: pitch class n sounds
    std::int32_t root = 0;      //!< pitch class of the root
    std::int32_t bass = 0;      //!< pitch class of the written bass, the root without one

    [[nodiscard]] bool Has(std::int32_t pitchClass) const { return (classes >> PitchClass(pitchClass)) & 1U; }
    [[nodiscard]] static std::int32_t PitchClass(std::int32_t key) { return ((key % 12) + 12) % 12; }

    //! The tones of chord; none for a rest.
    [[nodiscard]] static ChordTones Of(const Chord& chord) {
        ChordTones tones;
        if (chord.noteCount == 0) {
            return tones;
        }
        tones.root = PitchClass(chord.rootPitch);
        tones.bass = PitchClass(chord.notes[0]);
        for (int i = 0; i < chord.noteCount; ++i) {
            tones.classes = static_cast<std::uint16_t>(tones.classes | (1U << PitchClass(chord.notes[i])));
        }
        return tones;
    }

    //! The chord's tone a third, fifth or seventh above the root: the first of steps (semitones above the
    //! root) the chord has, else the first step.
    [[nodiscard]] std::int32_t Degree(std::initializer_list<std::int32_t> steps) const {
        for (const std::int32_t step : steps) {
            if (Has(root + step)) {
                return PitchClass(root + step);
            }
        }
        return PitchClass(root + *steps.begin());
    }
};

}  // namespace kaz
