#include "midi/hand_over.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

namespace kaz {
namespace {

struct Pair {
    std::int64_t count = 0;
    std::int64_t twice = 0;
};

TEST(LatestValue, TheReaderSeesWholeValuesInTheOrderPublishedUpToTheLast) {
    constexpr std::int64_t kLast = 20'000;
    LatestValue<Pair> latest;
    std::thread writer([&latest] {
        for (std::int64_t count = 1; count <= kLast; ++count) {
            latest.Publish({count, 2 * count});
        }
    });
    std::int64_t seen = 0;
    bool whole = true;
    bool ordered = true;
    while (seen != kLast) {
        const Pair value = latest.Latest();
        whole = whole && value.twice == 2 * value.count;
        ordered = ordered && value.count >= seen;
        seen = value.count;
    }
    writer.join();
    EXPECT_TRUE(whole);
    EXPECT_TRUE(ordered);
}

TEST(HandOverQueue, PassesEveryValueInOrderAndRefusesWhenFull) {
    HandOverQueue<int, 4> queue;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(queue.Push(i));
    }
    EXPECT_FALSE(queue.Push(4));
    int value = -1;
    ASSERT_TRUE(queue.Pop(value));
    EXPECT_EQ(value, 0);

    constexpr int kCount = 20'000;
    std::thread sender([&queue] {
        for (int i = 4; i < kCount; ++i) {
            while (!queue.Push(i)) {
                std::this_thread::yield();
            }
        }
    });
    int expected = 1;
    bool ordered = true;
    while (expected < kCount) {
        if (queue.Pop(value)) {
            ordered = ordered && value == expected;
            ++expected;
        } else {
            std::this_thread::yield();
        }
    }
    sender.join();
    EXPECT_TRUE(ordered);
    EXPECT_FALSE(queue.Pop(value));
}

}  // namespace
}  // namespace kaz
