#pragma once

#include "geo.h"

#include <QString>

#include <vector>

namespace brenlow::content {

// One land polygon, counter-clockwise (land on the left of each edge). Edges that run along
// the extraction region's border only close the polygon: they are not shoreline.
struct LandPolygon
{
    std::vector<GeoPoint> Points;  // closed implicitly: the last point joins the first
    std::vector<bool> EdgeIsShore; // EdgeIsShore[i]: the edge from Points[i] to Points[i + 1]
};

struct Region
{
    double West = 0;
    double East = 0;
    double South = 0;
    double North = 0;
};

struct Coastline
{
    Region Bounds;
    std::vector<LandPolygon> Land;

    bool IsOnLand(GeoPoint p) const;
    // Ground distance to the nearest shoreline edge, in metres.
    double DistanceToShoreMetres(GeoPoint p) const;
};

// Reads GMT's multi-segment text of a shoreline clip (the output of "gmt coast -M -W") and
// turns it into land polygons: segments that meet end to start are joined, closed segments
// are islands, and chains cut open by the region's border are closed along it, walking the
// border counter-clockwise so that the land keeps to the left. Throws std::runtime_error on a
// malformed file or a chain that does not end on the border.
Coastline ReadCoastline(const QString &path, Region bounds);

// The shoreline with its corners cut (Chaikin's scheme, applied the given number of times):
// GSHHG's outline is a chain of short straight steps that look jagged at full size; each pass
// replaces every corner by two points a quarter of the way along its edges. The outline moves
// by well under the data's own accuracy. Only for drawing: distances use the data as it is.
Coastline Smoothed(const Coastline &coast, int passes);

} // namespace brenlow::content
