#include "plan/stream_field.h"

#include "plan_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace brenlow {
namespace {

using test::At;
using test::Position;

TEST(StreamFieldTest, MeansTheStationsInTheSameWaterBetweenTheStepsAroundTheMoment)
{
    // A runs east 1 kn at high water, north 1 kn half an hour later and has no direction an
    // hour after; B, 2' east, runs north 2 kn; both lie south of a wall of land (picture y
    // 1650 .. 1670) with C, running south 3 kn, just north of it. A walled lake near 50°40'N
    // 1°30'W holds no station.
    AppState state = test::MadeUpState();
    StationRecord &a = test::AddStation(state, Position(45, 20), 90, 1);
    a.Direction[14] = 0;
    a.Direction[15] = -1;
    test::AddStation(state, Position(45, 18), 0, 2);
    test::AddStation(state, Position(45.3, 19.5), 180, 3);
    const test::RectangleMask mask({QRectF(2000, 1650, 700, 20), QRectF(900, 2600, 200, 10),
                                    QRectF(900, 2790, 200, 10), QRectF(900, 2600, 10, 200),
                                    QRectF(1090, 2600, 10, 200)});

    struct Case
    {
        const char *name;
        GeoPosition where;
        QDateTime when;
        double height; // of the high water at 12:00
        StreamStatus status;
        double east, north; // knots
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const GeoPosition lake = FromPicture(state, QPointF(1000, 2700));
    const StreamStatus known = StreamStatus::Known;
    const Case cases[] = {
        {"at a station's point: that station", Position(45, 20), At(12, 0), none, known, 1, 0},
        {"half-way: the plain mean, not C across the wall", Position(45, 19), At(12, 0), none,
         known, 0.5, 1},
        {"a quarter of the way: A weighs 9 to 1", Position(45, 19.5), At(12, 0), none, known, 0.9,
         0.2},
        {"just north of the wall: C alone", Position(45.25, 19.5), At(12, 0), none, known, 0, -3},
        {"none within 3 nm: the nearest", Position(45, 30), At(12, 0), none, known, 1, 0},
        {"none within 3 nm: the nearest in the same water, C, not A across the wall",
         Position(46, 30), At(12, 0), none, known, 0, -3},
        {"in the lake: no station in the same water", lake, At(12, 0), none,
         StreamStatus::NoStationInSameWater, 0, 0},
        {"a quarter of the way to step 14", Position(45, 20), At(12, 7, 30), none, known, 0.75,
         0.25},
        {"at step 14", Position(45, 20), At(12, 30), none, known, 0, 1},
        {"no stream at step 15: A is passed over for B", Position(45, 20), At(12, 45), none, known,
         0, 2},
        {"a 5.0 m high water doubles the rates", Position(45, 20), At(12, 0), 5.0, known, 2, 0},
        {"six hours after: step 25", Position(45, 20), At(18, 0), none, known, 1, 0},
        {"half-way through the gap to the 5.0 m tide's step 1", Position(45, 20), At(18, 12, 30),
         none, known, 1.5, 0},
        {"past six hours after the last: unknown", Position(45, 20), At(6, 25, 1, 13), none,
         StreamStatus::NoHighWaterNear, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // The next high water, 5.0 m, comes 12 h 25 min later: a gap from 18:00 to 18:25.
        const StreamField field(state, mask, {{At(12, 0), c.height}, {At(0, 25, 0, 13), 5.0}});
        const StreamAnswer answer = field.At(c.where, EpochSeconds(c.when));
        ASSERT_EQ(answer.Status, c.status);
        EXPECT_NEAR(answer.Stream.EastKn, c.east, 1e-9);
        EXPECT_NEAR(answer.Stream.NorthKn, c.north, 1e-9);
    }
}

} // namespace
} // namespace brenlow
