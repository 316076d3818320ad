#include "plan/passage_plan.h"

#include "plan/course_to_steer.h"
#include "plan_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brenlow {
namespace {

using test::At;
using test::Position;

constexpr double Radians = std::numbers::pi / 180;

// What every plan must hold: piece k starts when piece k - 1 ends (the first at the
// departure), each piece's distance is its speed over the ground times its duration, its
// triangle closes, and a piece that does not end its leg ends at a step time of a high water.
void ExpectPiecesHold(const PassagePlan &plan, const PassageRequest &request,
                      const std::vector<HighWaterEvent> &highWaters)
{
    double distance = 0;
    for (std::size_t k = 0; k < plan.Pieces.size(); ++k) {
        SCOPED_TRACE(k + 1);
        const PlanPiece &piece = plan.Pieces[k];
        EXPECT_EQ(piece.Start, k == 0 ? request.Departure : plan.Pieces[k - 1].End);
        const double hours = piece.Start.msecsTo(piece.End) / 3.6e6;
        EXPECT_NEAR(piece.DistanceNm, piece.SpeedOverGroundKn * hours, 1e-5);
        const double east = request.BoatSpeedKn * std::sin(piece.CourseTrueDegrees * Radians)
            + piece.RateKn * std::sin(piece.SetDegrees * Radians);
        const double north = request.BoatSpeedKn * std::cos(piece.CourseTrueDegrees * Radians)
            + piece.RateKn * std::cos(piece.SetDegrees * Radians);
        EXPECT_NEAR(east, piece.SpeedOverGroundKn * std::sin(piece.TrackDegrees * Radians), 1e-9);
        EXPECT_NEAR(north, piece.SpeedOverGroundKn * std::cos(piece.TrackDegrees * Radians), 1e-9);
        const bool endsLeg = k + 1 == plan.Pieces.size() || plan.Pieces[k + 1].Leg != piece.Leg;
        if (!endsLeg) {
            EXPECT_TRUE(std::any_of(highWaters.begin(), highWaters.end(), [&](const auto &hw) {
                return hw.Local.msecsTo(piece.End) % (30 * 60 * 1000) == 0;
            })) << piece.End.toString(Qt::ISODate).toStdString();
        }
        distance += piece.DistanceNm;
    }
    EXPECT_NEAR(plan.DistanceNm, distance, 1e-9);
    if (plan.Succeeded() && !plan.Pieces.empty()) {
        EXPECT_EQ(plan.Arrival, plan.Pieces.back().End);
    }
}

TEST(PassagePlanTest, SailsLegsInPiecesCutWhereTheStepsChange)
{
    struct Case
    {
        const char *name;
        double rate; // knots, setting east at every step
        std::vector<RoutePoint> route;
        QDateTime departure;
        std::vector<QDateTime> ends; // of the pieces, to the second
        double course;               // true, of every piece
    };
    const RoutePoint start{"Start", Position(45, 20)};
    const Case cases[] = {
        {"slack water: distance over speed, two legs",
         0,
         {start, {"B", Position(47.5, 20)}, {"C", Position(42.5, 20)}},
         At(12, 10),
         {At(12, 30), At(12, 40), At(13, 0), At(13, 30), At(13, 40)},
         -1},
        {"a cross stream of 1 kn: 8 nm at 4.899 kn",
         1,
         {start, {"N", Position(53, 20)}},
         At(12, 10),
         {At(12, 30), At(13, 0), At(13, 30), At(13, 47, 59)},
         360 - std::asin(0.2) * 180 / std::numbers::pi},
        {"slack water through the gap between two tides: cut at both its ends",
         0,
         {start, {"North", Position(50, 20)}},
         At(17, 40),
         {At(18, 0), At(18, 25), At(18, 40)},
         -1},
    };
    // The next high water comes 12 h 25 min after the first: a gap from 18:00 to 18:25.
    const std::vector<HighWaterEvent> highWaters{{At(12, 0)}, {At(0, 25, 0, 13)}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AppState state = test::MadeUpState();
        test::AddStation(state, start.Position, 90, c.rate);
        const test::RectangleMask mask;
        const PassagePlanner planner(state, mask, highWaters);
        PassageRequest request{c.route, c.departure, 5, -2.5}; // variation 2.5° west
        const PassagePlan plan = planner.Plan(request);
        ASSERT_TRUE(plan.Succeeded()) << plan.Failure->Text.toStdString();
        ExpectPiecesHold(plan, request, highWaters);
        ASSERT_EQ(plan.Pieces.size(), c.ends.size());
        for (std::size_t k = 0; k < c.ends.size(); ++k) {
            const PlanPiece &piece = plan.Pieces[k];
            EXPECT_EQ(piece.End.msecsTo(c.ends[k]) / 1000, 0) << k;
            const double course = c.course < 0 ? piece.TrackDegrees : c.course;
            EXPECT_NEAR(piece.CourseTrueDegrees, course, 1e-9);
            EXPECT_NEAR(*piece.CourseMagneticDegrees, NormalDegrees(course + 2.5), 1e-9);
        }
    }
}

TEST(PassagePlanTest, SaysWhyAndWhereAPassageCannotBeSailed)
{
    // A station at Start, land around picture (2575, 2675) and a walled pond at (1000, 2700).
    const AppState geometry = test::MadeUpState();
    const GeoPosition pond = FromPicture(geometry, QPointF(1000, 2700));
    const GeoPosition pondEnd = FromPicture(geometry, QPointF(1050, 2700));
    const test::RectangleMask mask({QRectF(2500, 2600, 150, 150), QRectF(900, 2600, 200, 10),
                                    QRectF(900, 2790, 200, 10), QRectF(900, 2600, 10, 200),
                                    QRectF(1090, 2600, 10, 200)});
    const RoutePoint start{"Start", Position(45, 20)};
    const RoutePoint north{"North", Position(48, 20)};
    const std::vector<RoutePoint> alone{start};
    const std::vector<RoutePoint> toNorth{start, north};
    const std::vector<RoutePoint> toFarNorth{start, {"Far north", Position(53, 20)}};
    const std::vector<RoutePoint> toNewport{start, {"Newport", Position(40, 17.5)}};
    const std::vector<RoutePoint> offChart{start, {"", Position(70, 20)}};
    const std::vector<RoutePoint> acrossLand{{"West", Position(40, 19)},
                                             {"East", Position(40, 16)}};
    const std::vector<RoutePoint> inPond{{"Pond", pond}, {"Pond end", pondEnd}};

    struct Case
    {
        const char *name;
        const std::vector<RoutePoint> &route;
        double speed;
        QDateTime departure;
        int set; // of the station, degrees true
        double rate;
        PlanProblem problem;
        int point, leg, piece;
        std::size_t sailed; // pieces before the failure
        QString text;
    };
    const QString piece1 = "Leg 1 (Start to North), piece 1 from 2026-06-12 12:00: ";
    const QString unknown = "the stream is unknown, no ";
    const Case cases[] = {
        {"one point", alone, 5, At(12, 0), 0, 0, PlanProblem::RouteTooShort, 0, 0, 0, 0,
         "A route needs at least two points"},
        {"no speed", toNorth, 0, At(12, 0), 0, 0, PlanProblem::NoBoatSpeed, 0, 0, 0, 0,
         "The boat speed must be more than 0 knots"},
        {"a point on land", toNewport, 5, At(12, 0), 0, 0, PlanProblem::PointOnLand, 2, 0, 0, 0,
         "Route point 2 (Newport) is on land"},
        {"a point off the chart", offChart, 5, At(12, 0), 0, 0, PlanProblem::PointOffChart, 2, 0, 0,
         0, "Route point 2 is outside the chart"},
        {"a leg across land", acrossLand, 5, At(12, 0), 0, 0, PlanProblem::LegCrossesLand, 0, 1, 0,
         0, "Leg 1 (West to East) crosses land"},
        {"no high water within 6 hours", toNorth, 5, At(18, 30), 0, 0, PlanProblem::NoHighWaterNear,
         0, 1, 1, 0,
         "Leg 1 (Start to North), piece 1 from 2026-06-12 18:30: " + unknown
             + "high water is within 6 hours"},
        {"running out of the tide stops at the piece", toFarNorth, 5, At(17, 0), 0, 0,
         PlanProblem::NoHighWaterNear, 0, 1, 3, 2,
         "Leg 1 (Start to Far north), piece 3 from 2026-06-12 18:00: " + unknown
             + "high water is within 6 hours"},
        {"no station in the same water", inPond, 5, At(12, 0), 0, 0, PlanProblem::NoStreamStation,
         0, 1, 1, 0,
         "Leg 1 (Pond to Pond end), piece 1 from 2026-06-12 12:00: " + unknown
             + "tidal station is in the same water"},
        {"a cross stream stronger than the boat", toNorth, 4, At(12, 0), 90, 4.5,
         PlanProblem::CannotHoldTrack, 0, 1, 1, 0,
         piece1 + "the stream sets 090\u00b0 at 4.5 kn, more across the track 000\u00b0 than "
             + "the boat's 4.0 kn: it cannot hold its track"},
        {"a head stream stronger than the boat", toNorth, 4, At(12, 0), 180, 4.5,
         PlanProblem::NoProgress, 0, 1, 1, 0,
         piece1 + "the stream sets 180\u00b0 at 4.5 kn and the boat makes no progress along "
             + "the track 000\u00b0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AppState state = test::MadeUpState();
        test::AddStation(state, start.Position, c.set, c.rate);
        const PassagePlanner planner(state, mask, {{At(12, 0)}});
        PassageRequest request;
        request.Route = c.route;
        request.Departure = c.departure;
        request.BoatSpeedKn = c.speed;
        const PassagePlan plan = planner.Plan(request);
        ASSERT_FALSE(plan.Succeeded());
        EXPECT_EQ(plan.Failure->Problem, c.problem);
        EXPECT_EQ(plan.Failure->RoutePoint, c.point);
        EXPECT_EQ(plan.Failure->Leg, c.leg);
        EXPECT_EQ(plan.Failure->Piece, c.piece);
        EXPECT_EQ(plan.Pieces.size(), c.sailed);
        EXPECT_EQ(plan.Failure->Text, c.text);
        EXPECT_FALSE(plan.Arrival.isValid());
    }
}

TEST(PassagePlanTest, TheSweepsBestIsTheShortestPassageThatSucceeds)
{
    // A fair stream growing through the tide: the later the start, the quicker, until the
    // passage runs past six hours after high water and fails.
    AppState state = test::MadeUpState();
    StationRecord &station = test::AddStation(state, Position(45, 20), 0, 0);
    for (int s = 1; s <= StepCount; ++s)
        station.Rate[s] = s / 10.0;
    const test::RectangleMask mask;
    const PassagePlanner planner(state, mask, {{At(12, 0)}});
    PassageRequest request;
    request.Route = {{"Start", Position(45, 20)}, {"North", Position(48, 20)}};
    request.Departure = At(12, 0);
    request.BoatSpeedKn = 5;

    const DepartureSweep sweep = planner.Sweep(request, 6);
    ASSERT_EQ(sweep.Entries.size(), 73u);
    EXPECT_EQ(sweep.Entries.front().Departure, At(6, 0));
    EXPECT_EQ(sweep.Entries.back().Departure, At(18, 0));
    ASSERT_TRUE(sweep.Best);
    EXPECT_EQ(sweep.Entries[*sweep.Best].Departure, At(17, 30));
    for (std::size_t k = 0; k < sweep.Entries.size(); ++k) {
        const SweepEntry &entry = sweep.Entries[k];
        EXPECT_EQ(entry.Failure.has_value(), k > *sweep.Best) << k;
        if (k > 0 && k <= *sweep.Best) {
            EXPECT_LT(entry.DurationHours, sweep.Entries[k - 1].DurationHours) << k;
        }
    }
}

TEST(PassagePlanTest, HurstToCowesOnTheRealChart)
{
    const test::RealContent content;
    const std::vector<HighWaterEvent> highWaters{{At(11, 0), 4.5}, {At(23, 25), 4.4}};
    const PassagePlanner planner(content.State, *content.Mask, highWaters);
    PassageRequest request;
    request.Route = {{"Hurst", Position(42.45, 32.3)},
                     {"Yarmouth Roads", Position(43.2, 29.8)},
                     {"Gurnard", Position(45.5, 21.5)},
                     {"Cowes", Position(46.4, 18.6)}};
    request.Departure = At(8, 20);
    request.BoatSpeedKn = 5;

    const PassagePlan plan = planner.Plan(request);
    ASSERT_TRUE(plan.Succeeded()) << plan.Failure->Text.toStdString();
    ExpectPiecesHold(plan, request, highWaters);
    EXPECT_GT(plan.Pieces.size(), 3u);
    for (const PlanPiece &piece : plan.Pieces)
        EXPECT_GT(piece.RateKn, 0);

    request.Route.push_back({"Newport", Position(42, 17.5)});
    const PassagePlan refused = planner.Plan(request);
    ASSERT_FALSE(refused.Succeeded());
    EXPECT_EQ(refused.Failure->Text, "Route point 5 (Newport) is on land");
    EXPECT_TRUE(refused.Pieces.empty());
}

} // namespace
} // namespace brenlow
