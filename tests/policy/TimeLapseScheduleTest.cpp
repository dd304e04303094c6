#include <gtest/gtest.h>

#include "policy/TimeLapseSchedule.h"

using namespace lumetra;
using namespace std::chrono_literals;
using Step = TimeLapseSchedule::Step;

namespace {
const TimeLapseSchedule::Clock::time_point t0{};
}

TEST(TimeLapseSchedule, TakesEachPictureWhenDueAndEndsAfterItsCount) {
    TimeLapseSchedule schedule({10s, 3, 0s}, t0);
    EXPECT_EQ(schedule.poll(t0, true), Step::Take);
    EXPECT_EQ(schedule.poll(t0 + 1s, true), Step::Wait);
    EXPECT_EQ(schedule.nextDue(), t0 + 10s);
    EXPECT_EQ(schedule.remaining(), 2);
    EXPECT_EQ(schedule.poll(t0 + 10s, true), Step::Take);
    // Late but within its window: still taken.
    EXPECT_EQ(schedule.poll(t0 + 29s, true), Step::Take);
    EXPECT_TRUE(schedule.done());
    EXPECT_EQ(schedule.poll(t0 + 30s, true), Step::Done);
    EXPECT_EQ(std::tuple(schedule.taken(), schedule.missed(), schedule.remaining()),
              std::tuple(3, 0, std::optional<int>(0)));
    EXPECT_EQ(schedule.nextDue(), std::nullopt);
}

TEST(TimeLapseSchedule, ADropoutCostsThePicturesItMissedAndTheTimeLapseGoesOn) {
    TimeLapseSchedule schedule({10s, 5, 0s}, t0);
    EXPECT_EQ(schedule.poll(t0, true), Step::Take);
    // The camera stops delivering from 8 s to 35 s.
    EXPECT_EQ(schedule.poll(t0 + 10s, false), Step::Wait);
    EXPECT_EQ(schedule.poll(t0 + 25s, false), Step::Wait);
    EXPECT_EQ(schedule.missed(), 1);
    EXPECT_EQ(schedule.poll(t0 + 35s, true), Step::Take);  // the one due at 30 s
    EXPECT_EQ(std::tuple(schedule.taken(), schedule.missed(), schedule.remaining()),
              std::tuple(2, 2, std::optional<int>(1)));
    // The last one's window ends without a picture: the time-lapse is over.
    EXPECT_EQ(schedule.poll(t0 + 40s, false), Step::Wait);
    EXPECT_EQ(schedule.poll(t0 + 50s, true), Step::Done);
    EXPECT_EQ(std::tuple(schedule.taken(), schedule.missed()), std::tuple(2, 3));
}

TEST(TimeLapseSchedule, ADurationOrAStopEndsIt) {
    TimeLapseSchedule byDuration({1min, 0, 5min}, t0);  // at 0, 1, ... 5 min
    EXPECT_EQ(byDuration.remaining(), 6);
    TimeLapseSchedule both({1min, 3, 5min}, t0);
    EXPECT_EQ(both.remaining(), 3);

    TimeLapseSchedule open({1s, 0, 0s}, t0);
    EXPECT_EQ(open.remaining(), std::nullopt);
    EXPECT_EQ(open.poll(t0 + 1h, true), Step::Take);
    EXPECT_EQ(open.missed(), 3600);
    open.stop();
    EXPECT_EQ(open.poll(t0 + 2h, true), Step::Done);
    EXPECT_EQ(open.remaining(), std::nullopt);
}
