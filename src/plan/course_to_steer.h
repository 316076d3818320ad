#pragma once

namespace brenlow {

enum class TriangleStatus {
    Solved,
    CannotHoldTrack, // the stream across the track is stronger than the boat
    NoProgress,      // the boat holds the track but makes no way along it over the ground
};

struct CourseToSteer
{
    TriangleStatus Status = TriangleStatus::Solved;
    double CourseDegrees = 0;     // true, 0 <= course < 360; when Solved
    double SpeedOverGroundKn = 0; // along the track; when Solved, and (<= 0) for NoProgress
};

// The vector triangle of a boat that keeps to a track (degrees true) at speed knots through the
// water in a stream setting setDegrees (true, the way it flows to) at rate knots:
//   d = asin(rate sin(set - track) / speed), course = track - d,
//   speed over ground = speed cos d + rate cos(set - track),
// so that the boat's water vector plus the stream lies along the track. Example: track 090,
// 5 kn, stream 180 at 2 kn gives course 066.4 and 4.58 kn over the ground.
CourseToSteer SolveCourseToSteer(double trackDegrees, double speedKn, double setDegrees,
                                 double rateKn);

} // namespace brenlow
