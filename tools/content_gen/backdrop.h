#pragma once

#include "chart_drawing.h"
#include "coastline.h"

#include <QImage>

#include <vector>

namespace brenlow::content {

// The chart picture "backdrop.bmp": ChartGeometry::PictureWidth x PictureHeight pixels, sea,
// land and shoreline, a 5' graticule with a minute-scale border and its labels, the place
// names and a title block.
QImage RenderBackdrop(const Coastline &coast, const std::vector<PlaceName> &places);

} // namespace brenlow::content
