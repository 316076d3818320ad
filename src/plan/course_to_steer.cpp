#include "plan/course_to_steer.h"

#include "plan/geo_position.h"

#include <cmath>
#include <numbers>

namespace brenlow {

namespace {

constexpr double DegreesToRadians = std::numbers::pi / 180;

} // namespace

CourseToSteer SolveCourseToSteer(double trackDegrees, double speedKn, double setDegrees,
                                 double rateKn)
{
    const double relative = (setDegrees - trackDegrees) * DegreesToRadians;
    const double across = rateKn * std::sin(relative);
    if (!(std::fabs(across) <= speedKn))
        return {TriangleStatus::CannotHoldTrack, 0, 0};
    const double drift = std::asin(across / speedKn);
    const double overGround = speedKn * std::cos(drift) + rateKn * std::cos(relative);
    if (!(overGround > 0))
        return {TriangleStatus::NoProgress, 0, overGround};
    return {TriangleStatus::Solved, NormalDegrees(trackDegrees - drift / DegreesToRadians),
            overGround};
}

} // namespace brenlow
