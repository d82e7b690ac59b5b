#include "qt/qt_playback_timer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace kaz {
namespace {

TEST(QtPlaybackTimer, TicksOnAThreadOfItsOwnAndHandsBackToTheStartingThreadInOrder) {
    QtPlaybackClock clock;
    QtPlaybackTimer timer(clock);
    std::atomic<bool> tickedElsewhere = false;
    std::atomic<int> ticks = 0;
    std::vector<int> handedBack;
    bool ranHere = true;
    const std::thread::id here = std::this_thread::get_id();
    timer.Start(
        1000,
        [&] {
            tickedElsewhere = std::this_thread::get_id() != here;
            const int tick = ++ticks;
            timer.HandBack();
            if (tick < 3) {
                timer.WakeAt(clock.Milliseconds());
            }
        },
        [&] {
            handedBack.push_back(ticks);
            ranHere = ranHere && std::this_thread::get_id() == here;
        });
    // Long before the first periodic tick.
    timer.WakeAt(clock.Milliseconds() + 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !handedBack.empty() && handedBack.back() == 3; }, 500));
    timer.Stop();
    EXPECT_TRUE(tickedElsewhere);
    EXPECT_TRUE(ranHere);
    EXPECT_TRUE(std::is_sorted(handedBack.begin(), handedBack.end()));
}

TEST(QtPlaybackTimer, HandBacksBeforeTheStartingThreadGetsToThemRunItOnce) {
    QtPlaybackClock clock;
    QtPlaybackTimer timer(clock);
    std::atomic<bool> handed = false;
    int runs = 0;
    timer.Start(
        60'000,  // no periodic tick while the test runs
        [&] {
            for (int i = 0; i < 3; ++i) {
                timer.HandBack();
            }
            handed = true;
        },
        [&runs] { ++runs; });
    timer.WakeAt(clock.Milliseconds());
    while (!handed) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(QTest::qWaitFor([&runs] { return runs > 0; }, 500));
    QApplication::processEvents();
    EXPECT_EQ(runs, 1);
    timer.Stop();
}

TEST(QtPlaybackTimer, NothingHandedBackRunsAfterStop) {
    QtPlaybackClock clock;
    QtPlaybackTimer timer(clock);
    std::atomic<bool> handed = false;
    bool ran = false;
    timer.Start(
        1000,
        [&] {
            timer.HandBack();
            handed = true;
        },
        [&ran] { ran = true; });
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
