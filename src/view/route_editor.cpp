#include "view/route_editor.h"

#include "core/chart_surface.h"
#include "plan/geo_position.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brenlow {
namespace {

double Magnification(const ImageSurface &surface)
{
    return surface.Zoom() / FullSizeZoom;
}

// The distance of p from the segment a..b.
double DistanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    const double t = lengthSquared > 0
        ? std::clamp(QPointF::dotProduct(p - a, ab) / lengthSquared, 0.0, 1.0)
        : 0.0;
    const QPointF nearest = a + ab * t;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

} // namespace

QPointF PictureToView(const ImageSurface &surface, QPointF picture)
{
    return picture * Magnification(surface) - QPointF(surface.ScrollX(), surface.ScrollY());
}

QPointF ViewToPicture(const ImageSurface &surface, QPointF view)
{
    return (view + QPointF(surface.ScrollX(), surface.ScrollY())) / Magnification(surface);
}

RouteEditor::RouteEditor(const AppState &state, const ImageSurface &surface,
                         std::function<void(RouteChange)> changed)
    : state_(state), surface_(surface), changed_(std::move(changed))
{ }

void RouteEditor::SetPoints(std::vector<RoutePoint> points)
{
    points_ = std::move(points);
    selected_.reset();
    dragging_ = false;
    Changed(RouteChange::Edited);
}

void RouteEditor::MouseDown(std::int32_t x, std::int32_t y)
{
    const QPointF view(x, y);
    dragging_ = true;
    moved_ = false;
    if (const std::optional<std::size_t> point = PointAt(view)) {
        selected_ = point;
        Changed(RouteChange::Selected);
        return;
    }
    const std::optional<std::size_t> leg = LegAt(view);
    const std::size_t index = leg ? *leg + 1 : points_.size();
    points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(index),
                   RoutePoint{QString(), PositionAt(x, y)});
    selected_ = index;
    Changed(RouteChange::Edited);
}

void RouteEditor::MouseMove(std::int32_t x, std::int32_t y)
{
    if (!dragging_ || !selected_)
        return;
    points_[*selected_].Position = PositionAt(x, y);
    moved_ = true;
    Changed(RouteChange::Moving);
}

void RouteEditor::MouseUp()
{
    if (!dragging_)
        return;
    dragging_ = false;
    if (moved_)
        Changed(RouteChange::Settled);
}

void RouteEditor::DeleteSelected()
{
    if (!selected_ || *selected_ >= points_.size())
        return;
    points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(*selected_));
    dragging_ = false;
    if (points_.empty())
        selected_.reset();
    else if (*selected_ > 0)
        selected_ = *selected_ - 1;
    Changed(RouteChange::Edited);
}

std::optional<std::size_t> RouteEditor::PointAt(QPointF view) const
{
    // The nearest within reach, so that of two points close together the one aimed at is
    // taken.
    std::optional<std::size_t> nearest;
    double best = Reach;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const QPointF at = PictureToView(surface_, ToPicture(state_, points_[i].Position));
        const double distance = std::hypot(at.x() - view.x(), at.y() - view.y());
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

std::optional<std::size_t> RouteEditor::LegAt(QPointF view) const
{
    for (std::size_t i = 0; i + 1 < points_.size(); ++i) {
        const QPointF from = PictureToView(surface_, ToPicture(state_, points_[i].Position));
        const QPointF to = PictureToView(surface_, ToPicture(state_, points_[i + 1].Position));
        if (DistanceToSegment(view, from, to) <= Reach)
            return i;
    }
    return std::nullopt;
}

GeoPosition RouteEditor::PositionAt(std::int32_t x, std::int32_t y) const
{
    return FromPicture(state_, ViewToPicture(surface_, QPointF(x, y)));
}

void RouteEditor::Changed(RouteChange change)
{
    if (changed_)
        changed_(change);
}

} // namespace brenlow
