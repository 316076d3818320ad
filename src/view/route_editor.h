#pragma once

#include "plan/route_point.h"

#include <QPointF>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace brenlow {

struct AppState;
class ImageSurface;

// The view pixel of a picture point at the surface's zoom and scroll, and back, unrounded:
// view = picture * Zoom / 100 - scroll.
QPointF PictureToView(const ImageSurface &surface, QPointF picture);
QPointF ViewToPicture(const ImageSurface &surface, QPointF view);

// How the route changed.
enum class RouteChange {
    Selected, // another point is selected; the points are as they were
    Edited,   // a point added, removed, or the whole route replaced
    Moving,   // a point follows the pointer: more moves are coming
    Settled,  // the button was let go after points moved
};

// The planner's route as the user makes it on the chart in plan mode. A press on a route point
// selects it and drags it; a press on a leg puts a new point into the leg there; a press
// anywhere else adds a point after the last. A new point is selected and follows the pointer
// until the button is let go. Delete removes the selected point. A position under the pointer
// goes from view pixels to picture pixels through the surface's zoom and scroll, and to
// latitude and longitude through the chart geometry.
class RouteEditor
{
public:
    // View pixels from a point's or a leg's centre line within which a press takes it.
    static constexpr double Reach = 7;

    RouteEditor(const AppState &state, const ImageSurface &surface,
                std::function<void(RouteChange)> changed);

    const std::vector<RoutePoint> &Points() const { return points_; }
    std::optional<std::size_t> Selected() const { return selected_; }
    bool Dragging() const { return dragging_; }

    // Replaces the route (a file read, a clear): nothing is selected.
    void SetPoints(std::vector<RoutePoint> points);

    // x and y in view pixels from the surface's top-left.
    void MouseDown(std::int32_t x, std::int32_t y);
    void MouseMove(std::int32_t x, std::int32_t y);
    void MouseUp();
    // Removes the selected point, if any; the one before it (else the new first) is selected.
    void DeleteSelected();

private:
    std::optional<std::size_t> PointAt(QPointF view) const;
    std::optional<std::size_t> LegAt(QPointF view) const; // leg n joins points n and n + 1
    GeoPosition PositionAt(std::int32_t x, std::int32_t y) const;
    void Changed(RouteChange change);

    const AppState &state_;
    const ImageSurface &surface_;
    std::function<void(RouteChange)> changed_;
    std::vector<RoutePoint> points_;
    std::optional<std::size_t> selected_;
    bool dragging_ = false;
    bool moved_ = false; // the drag has moved its point
};

} // namespace brenlow
