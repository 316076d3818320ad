#include "tide/clock_tick.h"

#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(ClockTick, ShowsThePresentTimeThenRunsThePanCountdown)
{
    test::FixedClock clock{QTime(9, 5, 7)};
    QStringList seen;
    ClockTick tick(clock, [&](const QString &time) { seen << time; });
    tick.Tick(); // no countdown connected yet
    tick.SetPanCountdown([&] { seen << QStringLiteral("countdown"); });
    clock.Time = QTime(23, 59, 59);
    tick.Tick();
    EXPECT_EQ(seen, QStringList({"09:05:07", "23:59:59", "countdown"}));
}

} // namespace
} // namespace brenlow
