#pragma once

#include "plan/route_point.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace brenlow {

// A route as GPX 1.1 carries it: positions in WGS84 decimal degrees.
struct GpxRoute
{
    QString Name; // may be empty
    std::vector<RoutePoint> Points;
};

// Where and why a GPX text cannot be read: the line (from 1) and the number of characters of it
// read when the fault was found, so that the position is just past the offending tag.
struct GpxError
{
    qint64 Line = 0;
    qint64 Column = 0;
    QString Message;

    // "line 4, column 31: rtept has no lat"
    QString Text() const;
};

struct GpxReadResult
{
    GpxRoute Route;
    std::optional<GpxError> Error; // when set, Route is empty
};

// Reads the first route (rte, its rtept with their names) of a GPX document, or when it has
// none, the points (trkpt of every trkseg) of its first track. Fails on a document that is not
// well-formed XML, whose document element is not gpx, with a point whose lat or lon is missing,
// not a number or out of range, or with no route or track point at all.
GpxReadResult ReadGpxRoute(const QByteArray &content);

// A GPX 1.1 document (UTF-8) holding route as one rte; reading it back gives the same names and
// the same positions, to the last bit.
QByteArray WriteGpxRoute(const GpxRoute &route);

} // namespace brenlow
