#include "qt/qt_playback_timer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <atomic>
#include <thread>
#include <vector>

namespace kaz {
namespace {

TEST(QtPlaybackTimer, TicksOnAThreadOfItsOwnAndHandsWorkBackInOrder) {
    QtPlaybackClock clock;
    QtPlaybackTimer timer(clock);
    std::atomic<bool> tickedElsewhere = false;
    std::atomic<int> ticks = 0;
    std::vector<int> handedBack;
    bool ranHere = true;
    const std::thread::id here = std::this_thread::get_id();
    timer.Start(1000, [&] {
        tickedElsewhere = std::this_thread::get_id() != here;
        const int tick = ++ticks;
        timer.HandBack([&, tick] {
            handedBack.push_back(tick);
            ranHere = ranHere && std::this_thread::get_id() == here;
        });
        if (tick < 3) {
            timer.WakeAt(clock.Milliseconds());
        }
    });
    // Long before the first periodic tick.
    timer.WakeAt(clock.Milliseconds() + 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return handedBack.size() == 3; }, 500));
    timer.Stop();
    EXPECT_TRUE(tickedElsewhere);
    EXPECT_TRUE(ranHere);
    EXPECT_EQ(handedBack, (std::vector<int>{1, 2, 3}));
}

TEST(QtPlaybackTimer, NothingHandedBackRunsAfterStop) {
    QtPlaybackClock clock;
    QtPlaybackTimer timer(clock);
    std::atomic<bool> handed = false;
    bool ran = false;
    timer.Start(1000, [&] {
        timer.HandBack([&ran] { ran = true; });
        handed = true;
    });
    timer.WakeAt(clock.Milliseconds());
    while (!handed) {
        std::this_thread::yield();
    }
    timer.Stop();
    QApplication::processEvents();
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace kaz
