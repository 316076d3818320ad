#pragma once

#include "core/route_drawing.h"

#include <QColor>

class QPainter;
class QTransform;

namespace brenlow {

// The planner's colours on the chart: a magenta track, as charts draw courses, a red failure.
inline const QColor RouteTrackColour{0xC2, 0x00, 0xA8};
inline const QColor RouteFailureColour{0xE0, 0x12, 0x12};

// The colours of a drawn track.
struct RouteColours
{
    QColor Track;           // the track, its ticks, the points' rings and the labels' ink
    QColor Failure;         // a failed stretch or point
    QColor Casing;          // under the track and the failure's cross, so they show on any ground
    QColor LabelGround;     // behind the labels
    QColor PointFill;       // inside a route point ...
    QColor FailedPointFill; // ... and a failed one
};
// By day (and on every page): magenta on white casings.
inline const RouteColours DayRouteColours{RouteTrackColour,     RouteFailureColour,
                                          {255, 255, 255, 170}, {255, 255, 255, 215},
                                          {255, 255, 255},      {0xFF, 0xC8, 0xC8}};
// At night: an amber track on black casings, lighter than the tinted chart and apart from the
// night's light and deep red arrows; nothing white.
inline const RouteColours NightRouteColours{{0xE0, 0x8C, 0x3A},      {0xFF, 0x3C, 0x28},
                                            {0x00, 0x00, 0x00, 170}, {0x12, 0x03, 0x02, 215},
                                            {0x12, 0x03, 0x02},      {0x50, 0x08, 0x04}};

// Draws the planner's track over whatever the painter holds, through pictureToDevice (picture
// pixels to the painter's coordinates, as the surface painter was given it). The lines, ticks,
// circles and texts are sized in pixels of a 96 dots-per-inch device, so that they read alike
// at every zoom; the painter's state is left as it was.
void PaintRoute(QPainter &painter, const QTransform &pictureToDevice, const RouteDrawing &route,
                const RouteColours &colours = DayRouteColours);

} // namespace brenlow
