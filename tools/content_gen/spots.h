#pragma once

#include "chart_drawing.h"
#include "coastline.h"
#include "tidal_model.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

namespace brenlow::content {

inline constexpr int PlanWidth = 620; // the Map window's picture box, pixels
inline constexpr int PlanHeight = 431;

// A picture spot: a rectangle of the chart over a harbour, and the harbour plan it opens.
struct Spot
{
    QString Name;
    double North = 0; // degrees
    double West = 0;
    double South = 0;
    double East = 0;
    QString PictureFile;
    GeoPoint PlanCentre;
    double MetresPerPixel = 0; // scale of the plan
};

// Reads "content/spots.txt" (see the file's header).
std::vector<Spot> ReadSpots(const QString &path);

// The spot's rectangle in chart-picture pixels.
QRectF SpotPictureRect(const Spot &spot);

// "temp2.bmp": two comment lines, then one line of five quoted fields per spot (west edge,
// north edge, east edge, south edge, picture file), CR LF line ends.
QByteArray PictureSpotFile(const std::vector<Spot> &spots);

// A harbour plan of PlanWidth x PlanHeight pixels, drawn from the shoreline at the spot's
// scale: sea, land, shore, the chart's place names and tidal stations (as magenta diamonds
// with their titles) that fall on it, a minute graticule, a title, a scale bar and a north
// arrow.
QImage RenderHarbourPlan(const Spot &spot, const Coastline &coast,
                         const std::vector<PlaceName> &places,
                         const std::vector<Station> &stations);

} // namespace brenlow::content
