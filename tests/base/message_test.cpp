#include "base/message.h"

#include <gtest/gtest.h>

namespace kaz {
namespace {

TEST(Message, FillsNumberedPlacesAndLeavesEveryOtherPercentAsWritten) {
    EXPECT_EQ(Message("Plays %17 with a flat ninth; for %1 minor ninth write %2", {"Bb", "Bbm9"}).English(),
              "Plays Bb7 with a flat ninth; for Bb minor ninth write Bbm9");
    EXPECT_EQ(Message("After a jump, % plays measure %1; 50% of %3", {"4"}).English(),
              "After a jump, % plays measure 4; 50% of %3");
    EXPECT_EQ(Message("%2 before %1", {"%2", "x"}).English(), "x before %2");
    EXPECT_EQ(Message("Unknown chord").English(), "Unknown chord");
}

}  // namespace
}  // namespace kaz
