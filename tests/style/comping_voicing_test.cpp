#include "style/comping_voicing.h"

#include <gtest/gtest.h>

#include <set>

#include "language/compile_score.h"

namespace kaz {
namespace {

//! The tones of each chord of a one-line chart, as the style engine reads them.
std::vector<ChordTones> TonesOf(std::string_view chart) {
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(chart));
    EXPECT_TRUE(compiled->Accepted()) << chart;
    std::vector<ChordTones> tones;
    for (std::size_t i = 0; i < compiled->score.allChords.size(); ++i) {
        tones.push_back(ChordTones::Of(compiled->score.allChords[i]));
    }
    return tones;
}

std::set<std::int32_t> Intervals(const std::vector<std::int32_t>& keys, std::int32_t root) {
    std::set<std::int32_t> intervals;
    for (const std::int32_t key : keys) {
        intervals.insert(ChordTones::PitchClass(key - root));
    }
    return intervals;
}

TEST(CompingVoicing, EveryVoicingKeepsTheThirdTheSeventhAndTheWrittenTensions) {
    const std::vector<ChordTones> chords = TonesOf(
        "Dm9 | G13 | Cmaj7#11 | F#m7b5 | B7b9 | Em7 | A7#9 | Dm6 | G7b13 | Cmaj9 | Ebdim7 | Bb7#5 |\n");
    for (const Voicing voicing : {Voicing::Close, Voicing::Rootless, Voicing::Drop2, Voicing::Shell,
                                  Voicing::Power, Voicing::High, Voicing::Pad}) {
        CompingVoicing hands(voicing);
        for (const ChordTones& chord : chords) {
            const ChordAnatomy anatomy = ChordAnatomy::Of(chord);
            const std::set<std::int32_t> sounding = Intervals(hands.Voice(chord), chord.root);
            for (const std::int32_t tone : anatomy.Essentials()) {
                EXPECT_TRUE(sounding.contains(tone))
                    << "voicing " << int(voicing) << " root " << chord.root << " lacks " << tone;
            }
        }
    }
}

TEST(CompingVoicing, EachInstrumentLaysTheChordOutInItsOwnShape) {
    const ChordTones g7 = TonesOf("G7 |\n").front();
    const ChordTones c = TonesOf("C |\n").front();
    // A pianist's rootless G7 adds the ninth and the thirteenth and leaves the root to the bass.
    EXPECT_EQ(Intervals(CompingVoicing(Voicing::Rootless).Voice(g7), g7.root),
              (std::set<std::int32_t>{2, 4, 9, 10}));
    // Rock's power chord: root, fifth and octave, the root below.
    const std::vector<std::int32_t> power = CompingVoicing(Voicing::Power).Voice(c);
    ASSERT_EQ(power.size(), 3U);
    EXPECT_EQ(power[1] - power[0], 7);
    EXPECT_EQ(power[2] - power[0], 12);
    // A shell: root at the bottom, the third and seventh above it, three notes.
    const std::vector<std::int32_t> shell = CompingVoicing(Voicing::Shell).Voice(g7);
    EXPECT_EQ(shell.size(), 3U);
    EXPECT_EQ(ChordTones::PitchClass(shell.front()), 7);
    // Funk's voicing is two or three notes, high up.
    const std::vector<std::int32_t> high = CompingVoicing(Voicing::High).Voice(g7);
    EXPECT_LE(high.size(), 3U);
    EXPECT_GE(high.front(), 62);
    // A drop-2 chord spans more than an octave.
    const std::vector<std::int32_t> drop2 =
        CompingVoicing(Voicing::Drop2).Voice(TonesOf("Cmaj7 |\n").front());
    ASSERT_EQ(drop2.size(), 4U);
    EXPECT_GT(drop2.back() - drop2.front(), 12);
}

}  // namespace
}  // namespace kaz
