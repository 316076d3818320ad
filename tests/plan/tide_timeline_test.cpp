#include "plan/tide_timeline.h"

#include "plan_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brenlow {
namespace {

using test::At;

TEST(TideTimelineTest, CountsFromTheNearestHighWaterAndChangesAtStepTimes)
{
    struct Case
    {
        const char *name;
        QDateTime when;
        int step; // 0: unknown
        double weight;
        std::size_t highWater;
        QDateTime next; // of the pair of steps; not valid: none
    };
    // High waters typed under 10 hours apart, 12:00 and 21:50: the second is the nearer from
    // 16:55. The third, 12 h 30 min after the second, leaves a gap from 03:50 to 04:20.
    const TideTimeline timeline({{At(12, 0), 4.0}, {At(21, 50), 4.6}, {At(10, 20, 0, 13), 4.4}});
    const Case cases[] = {
        {"a second before six hours before", At(5, 59, 59), 0, 0, 0, At(6, 0)},
        {"six hours before: step 1", At(6, 0), 1, 0, 0, At(6, 30)},
        {"quarter past: half-way to step 2", At(6, 15), 1, 0.5, 0, At(6, 30)},
        {"a second before high water", At(11, 59, 59), 12, 1799.0 / 1800, 0, At(12, 0)},
        {"high water: step 13", At(12, 0), 13, 0, 0, At(12, 30)},
        {"a second before half-way", At(16, 54, 59), 22, 1499.0 / 1800, 0, At(16, 55)},
        {"half-way: counted from the later", At(16, 55), 3, 1.0 / 6, 1, At(17, 20)},
        {"six hours after: step 24 fully", At(3, 50, 0, 13), 24, 1, 1, At(4, 20, 0, 13)},
        {"a second into the gap: from step 25 towards the next tide's step 1", At(3, 50, 1, 13), 25,
         1.0 / 1800, 1, At(4, 20, 0, 13)},
        {"the gap's end: the next tide's step 1", At(4, 20, 0, 13), 1, 0, 2, At(4, 50, 0, 13)},
        {"six hours after the last: step 24 fully", At(16, 20, 0, 13), 24, 1, 2, QDateTime()},
        {"a second after that", At(16, 20, 1, 13), 0, 0, 0, QDateTime()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<TideMoment> moment = timeline.MomentAt(EpochSeconds(c.when));
        ASSERT_EQ(moment.has_value(), c.step != 0);
        if (moment) {
            EXPECT_EQ(moment->HighWater, c.highWater);
            EXPECT_EQ(moment->Step, c.step);
            EXPECT_NEAR(moment->Weight, c.weight, 1e-9);
        }
        const double next = timeline.NextChange(EpochSeconds(c.when));
        EXPECT_EQ(next, c.next.isValid() ? EpochSeconds(c.next) : INFINITY);
    }
    // A time a microsecond short of a step time, as adding durations may give, counts as at it.
    EXPECT_EQ(timeline.NextChange(EpochSeconds(At(12, 30)) - 1e-6), EpochSeconds(At(13, 0)));
    EXPECT_FALSE(TideTimeline({}).MomentAt(EpochSeconds(At(12, 0))));
}

} // namespace
} // namespace brenlow
