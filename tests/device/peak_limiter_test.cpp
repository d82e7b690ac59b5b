#include "midi/device/peak_limiter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace kaz {
namespace {

constexpr double kRate = 44100.0;

//! A second of a 220 Hz tone on both sides, at level, louder by burst in the middle tenth.
std::vector<float> ToneWithBurst(double level, double burst) {
    std::vector<float> samples;
    for (int i = 0; i < 44100; ++i) {
        const double gain = (i >= 19845 && i < 24255) ? level * burst : level;
        const auto value = static_cast<float>(gain * std::sin(2 * std::numbers::pi * 220.0 * i / kRate));
        samples.push_back(value);
        samples.push_back(value);
    }
    return samples;
}

std::vector<std::int16_t> Limited(const std::vector<float>& samples, double ceiling) {
    PeakLimiter limiter(ceiling, kRate);
    std::vector<std::int16_t> out;
    // In blocks of a render's size and one left over, as the synthesizer hands them on.
    const int frames = static_cast<int>(samples.size() / 2);
    for (int start = 0; start < frames; start += 4096) {
        limiter.Process(samples.data() + 2 * start, std::min(4096, frames - start), out);
    }
    limiter.Drain(out);
    return out;
}

TEST(PeakLimiter, AudioUnderTheCeilingComesThroughAsItWasInTimeAndLength) {
    const std::vector<float> quiet = ToneWithBurst(0.3, 2.0);
    const std::vector<std::int16_t> out = Limited(quiet, 0.89);
    ASSERT_EQ(out.size(), quiet.size());
    for (std::size_t i = 0; i < quiet.size(); ++i) {
        ASSERT_EQ(out[i], static_cast<std::int16_t>(std::lround(quiet[i] * 32767.0))) << i;
    }
}

TEST(PeakLimiter, APeakIsBroughtUnderTheCeilingAndTheRestKeepsItsLevel) {
    const std::vector<std::int16_t> out = Limited(ToneWithBurst(0.5, 3.0), 0.89);
    ASSERT_EQ(out.size(), 2U * 44100U);
    int peak = 0;
    for (const std::int16_t sample : out) {
        peak = std::max(peak, std::abs(int{sample}));
    }
    // The burst would clip at 1.5; it stays under the ceiling, leaves what comes before it alone, and the
    // level is back a third of a second after it.
    EXPECT_LE(peak, std::lround(0.89 * 32767.0));
    EXPECT_GT(peak, std::lround(0.85 * 32767.0));
    int early = 0;
    int late = 0;
    for (int i = 0; i < 4000; ++i) {
        early = std::max(early, std::abs(int{out[2 * i]}));
        late = std::max(late, std::abs(int{out[2 * (44100 - 4000 + i)]}));
    }
    EXPECT_NEAR(early, 0.5 * 32767.0, 2.0);
    EXPECT_NEAR(late, 0.5 * 32767.0, 0.01 * 32767.0);
}

}  // namespace
}  // namespace kaz
