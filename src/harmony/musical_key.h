#pragma once

#include "base/record_list.h"
#include "harmony/score_tree.h"

namespace kaz {

//! A key: its tonic's pitch class 0..11, major or minor.
struct MusicalKey {
    int tonic = 0;
    bool minor = false;
    friend bool operator==(const MusicalKey&, const MusicalKey&) = default;
};

//! The key a chart is in, as a musician hears it from its chords: the key whose scale holds the most chords
//! in their own quality, whose dominant leads home, and whose tonic chord opens and above all ends the song.
//! A song that ends on a turnaround (D … A7) stays in its home key; a blues of dominant sevenths stays on
//! its first chord. On a tie the last chord decides, as songs end at home; C major for a chart without
//! chords.
[[nodiscard]] MusicalKey KeyOfChart(const RecordList<Chord>& chords);

}  // namespace kaz
