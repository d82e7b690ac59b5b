#include "harmony/musical_key.h"

#include <gtest/gtest.h>

#include <string_view>

#include "language/compile_score.h"

namespace kaz {
namespace {

MusicalKey KeyOf(std::string_view chart) {
    const auto compiled = Compile(std::string(chart));
    EXPECT_TRUE(compiled->Accepted()) << chart;
    return KeyOfChart(compiled->score.allChords);
}

constexpr MusicalKey kDMajor{2, false};
constexpr MusicalKey kFMajor{5, false};
constexpr MusicalKey kAMinor{9, true};

TEST(MusicalKey, ASongEndingOnItsTurnaroundStaysInItsHomeKey) {
    EXPECT_EQ(KeyOf("D | Bm | G | A7"), kDMajor);
    EXPECT_EQ(KeyOf("D | Bm | D/F# | A7"), kDMajor);
    EXPECT_EQ(KeyOf("Fmaj7 | D7 | Gm7 | C7 | Am7 D7 | Gm7 C7"), kFMajor);
}

TEST(MusicalKey, ABluesOfDominantSeventhsStaysOnItsTonic) {
    EXPECT_EQ(KeyOf("F7 | Bb7 | F7 | F7 | Bb7 | Bb7 | F7 | D7 | Gm7 | C7 | F7 D7 | Gm7 C7"), kFMajor);
}

TEST(MusicalKey, MinorSongsAndTheirHarmonicMinorDominant) {
    EXPECT_EQ(KeyOf("Am | Dm | E7 | Am"), kAMinor);
    EXPECT_EQ(KeyOf("Am | F | G | E7"), kAMinor);
}

}  // namespace
}  // namespace kaz
