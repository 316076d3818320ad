#pragma once

#include "core/route_drawing.h"

#include <QColor>

class QPainter;
class QTransform;

namespace brenlow {

// The planner's colours on the chart: a magenta track, as charts draw courses, a red failure.
inline const QColor RouteTrackColour{0xC2, 0x00, 0xA8};
inline const QColor RouteFailureColour{0xE0, 0x12, 0x12};

// Draws the planner's track over whatever the painter holds, through pictureToDevice (picture
// pixels to the painter's coordinates, as the surface painter was given it). The lines, ticks,
// circles and texts are sized in pixels of a 96 dots-per-inch device, so that they read alike
// at every zoom; the painter's state is left as it was.
void PaintRoute(QPainter &painter, const QTransform &pictureToDevice, const RouteDrawing &route);

} // namespace brenlow
