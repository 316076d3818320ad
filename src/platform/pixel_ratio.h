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
    bool invertible = false;
    const QTransform toWorld = painter.worldTransform().inverted(&invertible);
    if (!invertible)
        return painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QTransform base = toWorld * painter.deviceTransform();
    return std::hypot(base.m11(), base.m12());
}

} // namespace brenlow
