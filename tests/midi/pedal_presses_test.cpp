#include "midi/pedal_presses.h"

#include <gtest/gtest.h>

#include <vector>

namespace kaz {
namespace {

std::optional<PedalPress> Send(PedalPresses& pedals, std::vector<std::uint8_t> message) {
    return pedals.Read(message);
}

TEST(PedalPresses, APressIsThePedalGoingDownOnce) {
    PedalPresses pedals;
    EXPECT_EQ(Send(pedals, {0xB0, 64, 127}), PedalPress::Next);
    // A pedal that sends its position as it moves presses once until it is let up.
    EXPECT_EQ(Send(pedals, {0xB0, 64, 100}), std::nullopt);
    EXPECT_EQ(Send(pedals, {0xB0, 64, 0}), std::nullopt);
    EXPECT_EQ(Send(pedals, {0xB3, 64, 64}), PedalPress::Next);
    EXPECT_EQ(Send(pedals, {0xB0, 67, 127}), PedalPress::Previous);
    // Other controllers, notes and short messages turn nothing.
    EXPECT_EQ(Send(pedals, {0xB0, 7, 127}), std::nullopt);
    EXPECT_EQ(Send(pedals, {0x90, 64, 127}), std::nullopt);
    EXPECT_EQ(Send(pedals, {0xB0, 64}), std::nullopt);
}

}  // namespace
}  // namespace kaz
