#include "playback/frame_pacing.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

constexpr double p60 = 1000.0 / 60;

TEST(FramePacing, ATimerOfSixtyASecondKeepsSixtyOnAverage) {
    // Ticks that run when their whole-millisecond timer fires, each due one period after
    // the last: 600 of them span exactly ten seconds, where 17 ms waits would take 10.2.
    double due = 0.0;
    double now = 0.0;
    for (int i = 0; i < 600; ++i) {
        due = tick_moment(due, p60, now) + p60;
        const std::int32_t wait = wait_until(due, p60, now);
        EXPECT_GE(now + wait, due - 1e-6) << i;  // never early
        EXPECT_LT(now + wait, due + 1.0) << i;
        now += wait;
    }
    EXPECT_NEAR(now, 10000.0, 1.0);
}

TEST(FramePacing, MomentsAndWaits) {
    struct Case {
        const char* what;
        double due, period, now;
        double moment;
        std::int32_t wait;  // until due + period, from the moment's tick at now
    };
    const Case cases[] = {
        {"on time", 100.0, p60, 100.0, 100.0, 17},
        {"a little late keeps the beat", 100.0, p60, 110.0, 100.0, 7},
        {"more than a period late skips a moment, keeping the beat", 100.0, p60, 130.0, 100.0 + p60, 4},
        {"three periods late skips three", 100.0, p60, 160.0, 150.0, 7},
        {"a long rest", 0.0, 3000.0, 2.0, 0.0, 2998},
        {"no wait for a period of none", 50.0, 0.0, 50.0, 50.0, 0},
    };
    for (const Case& c : cases) {
        const double moment = tick_moment(c.due, c.period, c.now);
        EXPECT_DOUBLE_EQ(moment, c.moment) << c.what;
        EXPECT_EQ(wait_until(moment + c.period, c.period, c.now), c.wait) << c.what;
    }
}

TEST(FramePacing, PicturesForTheNextRefresh) {
    struct Case {
        const char* what;
        double shown, swapped;
        double next;
    };
    const Case cases[] = {
        {"vertical sync: the swap returns as the picture is shown", 1000.0, 1000.4, 1000.0 + p60},
        {"a display that does not pace: the swap returns at once", 1000.0, 990.0, 1000.0 + p60},
        {"a missed refresh is skipped, not hurried", 1000.0, 1000.0 + p60, 1000.0 + 2 * p60},
        {"the first picture", 0.0, 5000.0, 5000.0 + p60},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(next_refresh(c.shown, p60, c.swapped), c.next) << c.what;
    EXPECT_DOUBLE_EQ(refresh_period(144.0), 1000.0 / 144);
    EXPECT_DOUBLE_EQ(refresh_period(0.0), p60);  // a screen that does not say
}

}  // namespace
}  // namespace lumivane
