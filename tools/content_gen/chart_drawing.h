#pragma once

#include "coastline.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace brenlow::content {

// The chart's palette, after the usual look of paper charts.
struct ChartColours
{
    static QColor Sea() { return {214, 236, 246}; }         // pale blue
    static QColor ShallowBand() { return {178, 216, 236}; } // along the shore
    static QColor Land() { return {243, 226, 172}; }        // buff
    static QColor Shore() { return {58, 46, 32}; }
    static QColor Graticule() { return {90, 110, 130}; }
    static QColor SeaName() { return {24, 72, 132}; }
    static QColor LandName() { return {40, 32, 24}; }
};

using Projector = std::function<QPointF(GeoPoint)>;

// Land and shoreline as paths in the projector's pixels.
QPainterPath LandPath(const Coastline &coast, const Projector &project);
QPainterPath ShorePath(const Coastline &coast, const Projector &project);

// Sea, a darker band of shallow water along the shore, land, and the shoreline.
void DrawLandAndSea(QPainter &painter, const Coastline &coast, const Projector &project,
                    const QRectF &area, double bandWidth, double shoreWidth);

// A named place of the chart: the text is centred on the position, turned by Angle degrees
// clockwise.
struct PlaceName
{
    enum class Kind { Town, Feature, Sea, Area };
    Kind Style = Kind::Town;
    GeoPoint Position;
    double Angle = 0;
    QString Text;
};

// Reads "content/places.txt": lines of "kind | latitude | longitude | angle | text".
std::vector<PlaceName> ReadPlaceNames(const QString &path);

// The font of a place name at a given size of the chart's body text, in pixels.
QFont PlaceFont(PlaceName::Kind kind, double bodyPixels);
QColor PlaceColour(PlaceName::Kind kind);

// Draws text centred on a point with a thin halo of the given colour, so that it reads over
// the shoreline and graticule.
void DrawHaloText(QPainter &painter, QPointF centre, double angle, const QString &text,
                  const QFont &font, const QColor &colour, const QColor &halo);

} // namespace brenlow::content
