#include "chart/mixer_line.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(MixerLine, WritesOnlyWhatTheUserSetAndReadsItBack) {
    BandParts parts;
    EXPECT_EQ(MixerCode(parts), "");
    parts["comping"].volume = 90;
    parts["comping"].pan = 40;
    parts["drums"].solo = true;
    parts["bass"].muted = true;
    parts.minusOne = MinusOne::Guitar;
    const std::string code = MixerCode(parts);
    EXPECT_EQ(code, "comping 90 pan 40, bass mute, drums solo, minus-one guitar");
    BandParts read;
    ReadMixerCode(code + ", banjo 12, pad loud", read);
    EXPECT_EQ(read, parts);
}

TEST(MixerLine, TheLineIsAddedRewrittenAndTakenAwayLeavingTheChartAsItWas) {
    const std::string chart = "C | F |\r\n";
    BandParts muted;
    muted["bass"].muted = true;
    const auto added = MixerLineChange(chart, muted);
    ASSERT_TRUE(added);
    std::string text = chart;
    text.replace(added->start, added->end - added->start, added->replacement);
    EXPECT_EQ(text, "C | F |\r\n#kaz:mixer=bass mute\r\n");
    EXPECT_TRUE(WithChartMixer(text, BandParts())["bass"].muted);
    const auto removed = MixerLineChange(text, BandParts());
    ASSERT_TRUE(removed);
    text.replace(removed->start, removed->end - removed->start, removed->replacement);
    EXPECT_EQ(text, chart);
}

}  // namespace
}  // namespace kaz
