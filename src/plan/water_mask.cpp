#include "plan/water_mask.h"

#include <algorithm>
#include <cmath>

namespace brenlow {

namespace {

constexpr double LongestSegment = 1e7; // picture pixels

} // namespace

std::optional<Ground> FirstObstacle(const WaterMask &mask, QPointF from, QPointF to)
{
    const QPointF span = to - from;
    // At least one sample per pixel along the longer axis, so no pixel the line crosses on that
    // axis is skipped.
    const double pixels = std::max(std::fabs(span.x()), std::fabs(span.y()));
    // No chart picture is this large: such a segment (or one with an end not a number) runs off
    // every chart, and counting its samples would not fit an int.
    if (!(pixels <= LongestSegment))
        return Ground::OffChart;
    const int steps = std::max(1, static_cast<int>(std::ceil(pixels)));
    for (int i = 0; i <= steps; ++i) {
        const QPointF at = from + span * (static_cast<double>(i) / steps);
        const Ground ground = mask.GroundAt(at.x(), at.y());
        if (ground != Ground::Water)
            return ground;
    }
    return std::nullopt;
}

} // namespace brenlow
