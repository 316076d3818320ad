#pragma once

#include <QPointF>

#include <optional>

namespace brenlow {

// What the chart shows at a place: navigable water, land (with the shoreline and whatever is
// printed over land), or no chart at all (outside the picture or over its border).
enum class Ground { Water, Land, OffChart };

// The port through which the planner asks the chart where the water is.
class WaterMask
{
public:
    virtual ~WaterMask() = default;

    // The ground of the picture pixel holding the point (pictureX, pictureY).
    virtual Ground GroundAt(double pictureX, double pictureY) const = 0;

    bool IsWater(double pictureX, double pictureY) const
    {
        return GroundAt(pictureX, pictureY) == Ground::Water;
    }
};

// The first ground other than water met walking the straight segment from one picture point to
// another, sampled about every picture pixel with both ends included; nothing when the whole
// segment is on water.
std::optional<Ground> FirstObstacle(const WaterMask &mask, QPointF from, QPointF to);

} // namespace brenlow
