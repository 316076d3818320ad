#include "plan/geo_position.h"

#include "plan_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brenlow {
namespace {

using test::Position;

TEST(GeoPositionTest, MapsThroughTheChartGeometryAndMeasuresByMidLatitudeSailing)
{
    AppState state;
    SetChartGeometry(state);
    const QPointF worked = ToPicture(state, Position(45, 30)); // chart units (4, 4.5)
    EXPECT_NEAR(worked.x(), 999.99936, 1e-6);
    EXPECT_NEAR(worked.y(), 1693.748868, 1e-6);
    EXPECT_NEAR(FromPicture(state, worked).Longitude, -1.5, 1e-12);

    struct Case
    {
        GeoPosition to;
        double distance, bearing;
    };
    const double mile = std::cos((50 + 45.0 / 60) * 3.14159265358979323846 / 180);
    const Case cases[] = {
        {Position(46, 20), 1, 0},                           // a minute of latitude
        {Position(45, 19), mile, 90},                       // a minute of longitude
        {Position(44, 20 + 1 / mile), std::sqrt(2.0), 225}, // south-west
        {Position(46, 20.001), 1, 359.96},                  // just west of north
        {Position(45, 20), 0, 0},                           // nowhere
    };
    for (const Case &c : cases) {
        EXPECT_NEAR(DistanceNm(Position(45, 20), c.to), c.distance, 2e-4) << c.bearing;
        EXPECT_NEAR(BearingDegrees(Position(45, 20), c.to), c.bearing, 0.01);
    }
}

} // namespace
} // namespace brenlow
