#pragma once

#include "platform/legibility.h"

#include <QPoint>
#include <QSize>

class QPainter;

namespace brenlow {

// The key the view shows over the chart's corner on request: what the arrows' two colours and
// three sizes mean, what the labels give and what SLACK is.
QSize ChartLegendSize();
// Paints the key with its top-left at topLeft (painter coordinates, view pixels), the arrows in
// the palette the view shows.
void PaintChartLegend(QPainter &painter, QPoint topLeft, ArrowPalette palette);

} // namespace brenlow
