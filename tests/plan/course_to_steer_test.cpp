#include "plan/course_to_steer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace brenlow {
namespace {

constexpr double Radians = std::numbers::pi / 180;

TEST(CourseToSteerTest, SolvesTheVectorTriangle)
{
    struct Case
    {
        const char *name;
        double track, speed, set, rate;
        TriangleStatus status;
        double course, overGround; // when Solved: course to 0.05°, speed to 0.005 kn
    };
    const Case cases[] = {
        {"worked example", 90, 5, 180, 2, TriangleStatus::Solved, 66.42, 4.583},
        {"course wraps below 000", 10, 5, 90, 2, TriangleStatus::Solved, 346.80, 4.943},
        {"course wraps past 360", 350, 5, 270, 2, TriangleStatus::Solved, 13.20, 4.943},
        {"stream from astern", 45, 6, 45, 2, TriangleStatus::Solved, 45, 8},
        {"stream from ahead", 45, 6, 225, 2, TriangleStatus::Solved, 45, 4},
        {"stream setting to starboard", 45, 6, 135, 2, TriangleStatus::Solved, 25.53, 5.657},
        {"stream setting to port", 45, 6, 315, 2, TriangleStatus::Solved, 64.47, 5.657},
        {"across equal to the speed: beam on", 0, 2, 30, 4, TriangleStatus::Solved, 270, 3.464},
        {"across just over the speed", 0, 2, 30, 4.01, TriangleStatus::CannotHoldTrack, 0, 0},
        {"head stream as fast as the boat", 90, 5, 270, 5, TriangleStatus::NoProgress, 0, 0},
        {"head stream faster than the boat", 90, 5, 270, 6, TriangleStatus::NoProgress, 0, 0},
        {"head stream just slower", 90, 5, 270, 4.9, TriangleStatus::Solved, 90, 0.1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CourseToSteer solved = SolveCourseToSteer(c.track, c.speed, c.set, c.rate);
        ASSERT_EQ(solved.Status, c.status);
        if (c.status != TriangleStatus::Solved)
            continue;
        EXPECT_NEAR(solved.CourseDegrees, c.course, 0.05);
        EXPECT_GE(solved.CourseDegrees, 0);
        EXPECT_LT(solved.CourseDegrees, 360);
        EXPECT_NEAR(solved.SpeedOverGroundKn, c.overGround, 0.005);
        // The boat's water vector plus the stream lies along the track at the speed over ground.
        const double east =
            c.speed * std::sin(solved.CourseDegrees * Radians) + c.rate * std::sin(c.set * Radians);
        const double north =
            c.speed * std::cos(solved.CourseDegrees * Radians) + c.rate * std::cos(c.set * Radians);
        EXPECT_NEAR(east, solved.SpeedOverGroundKn * std::sin(c.track * Radians), 1e-9);
        EXPECT_NEAR(north, solved.SpeedOverGroundKn * std::cos(c.track * Radians), 1e-9);
    }
}

} // namespace
} // namespace brenlow
