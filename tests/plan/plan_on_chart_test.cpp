// What the planner's panel and chart make of a plan: the high waters a passage counts from, the
// track drawn over the chart, and the table.

#include "plan/passage_high_waters.h"
#include "plan/passage_plan.h"
#include "plan/plan_drawing.h"
#include "plan/plan_table.h"
#include "plan_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace brenlow {
namespace {

using test::At;
using test::Position;

TEST(PassageHighWatersTest, TypedHighWatersTakeThePlaceOfTodaysPredictedOnes)
{
    const QDate today(2026, 6, 12);
    const auto local = [&](int day, int hour, int minute) {
        return QDateTime(QDate(2026, 6, day), QTime(hour, minute), Qt::LocalTime);
    };
    const std::vector<HighWaterEvent> predicted{
        {local(11, 22, 0), 4.2}, {local(12, 10, 20), 4.4}, {local(12, 22, 45), 4.3}};
    struct Row
    {
        const char *name;
        QString first, firstHeight, second;
        std::vector<HighWaterEvent> prediction;
        std::vector<HighWaterEvent> expected;
    };
    const double none = std::nan("");
    const Row rows[] = {
        {"nothing typed", "", "", "", predicted, predicted},
        {"a typed time replaces the nearest of today, keeping its height",
         "10:05",
         "",
         "",
         predicted,
         {predicted[0], {local(12, 10, 5), 4.4}, predicted[2]}},
        {"with its height",
         "10:05",
         "4.8",
         "",
         predicted,
         {predicted[0], {local(12, 10, 5), 4.8}, predicted[2]}},
        {"both typed, each in its place",
         "22:30",
         "",
         "10.30",
         predicted,
         {predicted[0], {local(12, 10, 30), 4.4}, {local(12, 22, 30), 4.3}}},
        {"one too far from any is another day's", "16:00", "", "", predicted, predicted},
        {"never one of another day",
         "23:50",
         "",
         "",
         predicted,
         {predicted[0], predicted[1], {local(12, 23, 50), 4.3}}},
        {"a text with a date stands for no day of the plan", "2026-06-12 10:05", "", "", predicted,
         predicted},
        {"without a prediction the typed ones are all there is",
         "22:30",
         "4.5",
         "10:00",
         {},
         {{local(12, 10, 0), none}, {local(12, 22, 30), 4.5}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        AppState state;
        state.HighWater1Text = row.first;
        state.Height1Text = row.firstHeight;
        state.HighWater2Text = row.second;
        const std::vector<HighWaterEvent> got = WithTypedHighWaters(row.prediction, state, today);
        ASSERT_EQ(got.size(), row.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].Local, row.expected[i].Local) << i;
            if (std::isnan(row.expected[i].HeightM)) {
                EXPECT_TRUE(std::isnan(got[i].HeightM)) << i;
            } else {
                EXPECT_EQ(got[i].HeightM, row.expected[i].HeightM) << i;
            }
        }
    }
}

// A station with no stream at Start and a square of land: the boat makes 5 kn over the ground
// wherever the plan goes.
struct StillWater
{
    StillWater() { test::AddStation(state, start.Position, 0, 0); }

    PassageRequest Request(const std::vector<RoutePoint> &route, const QDateTime &departure,
                           std::optional<double> variation = std::nullopt) const
    {
        return PassageRequest{route, departure, 5, variation};
    }
    PassagePlan Plan(const PassageRequest &request) const
    {
        return PassagePlanner(state, mask, highWaters).Plan(request);
    }
    PassagePlan Plan(const std::vector<RoutePoint> &route, const QDateTime &departure) const
    {
        return Plan(Request(route, departure));
    }

    AppState state = test::MadeUpState();
    const test::RectangleMask mask{{QRectF(2500, 2600, 150, 150)}};
    std::vector<HighWaterEvent> highWaters{{At(12, 0)}};
    const RoutePoint start{"Start", Position(45, 20)};
    const RoutePoint north{"North", Position(48, 20)};
    const RoutePoint farNorth{"", Position(53, 20)};
};

TEST(PlanDrawingTest, TheTrackShowsWhatIsSailedWhenAndWhereThePlanFails)
{
    const StillWater water;
    using Stretch = RouteDrawing::Stretch;
    const RoutePoint newport{"Newport", Position(40, 17.5)};
    const std::vector<RoutePoint> across{{"West", Position(40, 19)}, {"East", Position(40, 16)}};
    struct Row
    {
        const char *name;
        std::vector<RoutePoint> route;
        QDateTime departure;
        std::vector<Stretch> legs;
        int failedPoint; // 1-based, 0 for none
        bool failureMarked;
        QStringList hours;
    };
    const Row rows[] = {
        // 8 nm at 5 kn: 13:00 comes 5 nm on, and the passage ends 13:36.
        {"sailed whole",
         {water.start, water.north, water.farNorth},
         At(12, 0),
         {Stretch::Sailed, Stretch::Sailed},
         0,
         false,
         {"13:00"}},
        {"a point on land",
         {water.start, water.north, newport},
         At(12, 0),
         {Stretch::Unsailed, Stretch::Unsailed},
         3,
         false,
         {}},
        {"a leg across land",
         {water.north, across[0], across[1]},
         At(12, 0),
         {Stretch::Unsailed, Stretch::Failed},
         0,
         false,
         {}},
        // Six hours after the one high water, at 18:00 on the second leg, the stream is no
        // longer known: the boat is at the cross then.
        {"a piece that fails",
         {water.start, water.north, water.farNorth},
         At(17, 20),
         {Stretch::Sailed, Stretch::Sailed, Stretch::Failed},
         0,
         true,
         {"18:00"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const PassagePlan plan = water.Plan(row.route, row.departure);
        const RouteDrawing drawing = DrawPlan(water.state, row.route, &plan, 1);
        ASSERT_EQ(drawing.Points.size(), row.route.size());
        for (std::size_t i = 0; i < row.route.size(); ++i) {
            EXPECT_EQ(drawing.Points[i].At, ToPicture(water.state, row.route[i].Position));
            EXPECT_EQ(drawing.Points[i].Failed, int(i) + 1 == row.failedPoint) << i;
            EXPECT_EQ(drawing.Points[i].Selected, i == 1) << i;
        }
        ASSERT_EQ(drawing.Legs.size(), row.legs.size());
        for (std::size_t i = 0; i < row.legs.size(); ++i)
            EXPECT_EQ(drawing.Legs[i].Kind, row.legs[i]) << i;
        // The legs join up from the first point to the last.
        EXPECT_EQ(drawing.Legs.front().From, drawing.Points.front().At);
        EXPECT_EQ(drawing.Legs.back().To, drawing.Points.back().At);
        for (std::size_t i = 1; i < drawing.Legs.size(); ++i)
            EXPECT_EQ(drawing.Legs[i].From, drawing.Legs[i - 1].To) << i;
        EXPECT_EQ(drawing.FailureAt.has_value(), row.failureMarked);
        if (row.failureMarked) {
            EXPECT_EQ(*drawing.FailureAt, ToPicture(water.state, plan.Failure->Where));
            EXPECT_EQ(drawing.Legs.back().From, *drawing.FailureAt);
        }
        QStringList hours;
        for (const RouteDrawing::HourMark &mark : drawing.Hours)
            hours.push_back(mark.Time);
        EXPECT_EQ(hours, row.hours);
    }

    const PassagePlan plan = water.Plan({water.start, water.north, water.farNorth}, At(12, 0));
    const RouteDrawing drawing =
        DrawPlan(water.state, {water.start, water.north, water.farNorth}, &plan, std::nullopt);
    ASSERT_EQ(drawing.Hours.size(), 1u);
    const QPointF fiveMilesOn = ToPicture(water.state, Position(50, 20));
    EXPECT_NEAR(drawing.Hours[0].At.x(), fiveMilesOn.x(), 1e-6);
    EXPECT_NEAR(drawing.Hours[0].At.y(), fiveMilesOn.y(), 1e-6);
    EXPECT_EQ(drawing.Points[2].Label, "3");
    EXPECT_EQ(drawing.Points[0].Label, "1 Start");
}

TEST(PlanTableTest, ALineAPieceAndTheArrival)
{
    StillWater water;
    water.highWaters = {{At(22, 0)}};
    // 3 nm due north at 5 kn: 36 minutes, into the next day.
    const PassageRequest request = water.Request({water.start, water.north}, At(23, 30));
    const PlanTable table = TabulatePlan(water.Plan(request), request);
    EXPECT_EQ(table.Header.join(','),
              "Leg,Start,End,CTS \u00b0T,SOG kn,Set \u00b0T,Rate kn,Dist nm");
    ASSERT_FALSE(table.Rows.empty());
    EXPECT_EQ(table.Rows.front().mid(0, 2), QStringList({"1", "23:30"}));
    EXPECT_EQ(table.Rows.back().mid(2, 2), QStringList({"00:06 +1", "000"}));
    EXPECT_EQ(table.Summary, "Arrive 00:06 +1 after 0 h 36 min, 3.00 nm");
    EXPECT_FALSE(table.Failed);

    // West variation: the magnetic course is the greater.
    const PassageRequest west = water.Request({water.start, water.north}, At(23, 30), -2.4);
    const PlanTable magnetic = TabulatePlan(water.Plan(west), west);
    EXPECT_EQ(magnetic.Header[4], "CTS \u00b0M");
    EXPECT_EQ(magnetic.Rows.back()[4], "002");

    const PassageRequest late = water.Request({water.start, water.north}, At(6, 0, 0, 13));
    const PlanTable failed = TabulatePlan(water.Plan(late), late);
    EXPECT_TRUE(failed.Failed);
    EXPECT_TRUE(failed.Rows.empty());
    EXPECT_EQ(failed.Summary, water.Plan(late).Failure->Text);
}

} // namespace
} // namespace brenlow
