#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace brenlow {

// Device pixels per unit of the painter's own coordinates, before its world transform: the
// pixel ratio of the screen or image being painted. A widget rendered into an image reports
// its own screen's ratio through QPainter::device(), so the ratio is read from the transform
// that reaches the device instead.
inline qreal PaintedPixelRatio(const QPainter &painter)
{
    const qreal ofDevice =
        painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    bool invertible = false;
    const QTransform toWorld = painter.worldTransform().inverted(&invertible);
    if (!invertible)
        return ofDevice;
    const QTransform base = toWorld * painter.deviceTransform();
    const qreal ratio = std::hypot(base.m11(), base.m12());
    return std::isfinite(ratio) && ratio > 0 ? ratio : ofDevice;
}

} // namespace brenlow
