#pragma once

#include "core/chart_surface.h"
#include "platform/surface_layout.h"

#include <QImage>
#include <QPointF>
#include <QSet>
#include <QTransform>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace brenlow {

class RecordingSurface;

// What the screen view adds so that the chart can be read at every zoom, none of it recorded:
// station symbols no smaller than readable, labels that would overlap left off the weaker
// streams, and the arrows' colours told apart without red and green.

// The smallest sizes a station's symbol is shown at, in view pixels: a rate label's text (its
// em; the white box behind it is about 1.15 times as tall) and the smallest arrow from tip to
// tail. The larger arrows keep their proportion to it, so the three sizes stay apart.
inline constexpr double LabelFloorPixels = 11;
inline constexpr double ArrowFloorPixels = 24;

// The smallest sizes of a station's symbol in some unit: view pixels on the screen, points on
// paper.
struct LegibilityFloor
{
    double LabelEm = LabelFloorPixels;
    double ArrowLength = ArrowFloorPixels;
};
inline constexpr LegibilityFloor ScreenFloor{LabelFloorPixels, ArrowFloorPixels};
// On paper, in points: a rate label of 6 points, the arrows in the screen's proportion to it.
inline constexpr double LabelFloorPoints = 6;
inline constexpr LegibilityFloor PrintFloor{LabelFloorPoints,
                                            LabelFloorPoints *ArrowFloorPixels / LabelFloorPixels};
// The same two at the picture's own scale, in picture pixels: a rate label's em (11.111104
// points at 96 dots per inch) and the smallest arrow (size 18: 0.87 × 18 of head and 1.5 × 18
// of shaft).
inline constexpr double RateLabelEmPixels = 11.111104 * LayoutDpi / 72.0;
inline constexpr double SmallestArrowLength = 43;

// How much larger than the picture's scale a symbol is shown: the arrow about the station's
// point, the label about the middle of the (grown) tail end. 1 each way at zooms where both are
// readable already.
struct SymbolScale
{
    double Arrow = 1;
    double Label = 1;
    bool Enlarged() const { return Arrow > 1 || Label > 1; }
    bool operator==(const SymbolScale &) const = default;
};

// viewScale: units of the floor (view pixels on the screen) per picture pixel.
SymbolScale SymbolScaleAt(double viewScale, const LegibilityFloor &floor = ScreenFloor);

// Picture pixels to picture pixels: where a symbol's arrow and its label are shown.
QTransform ArrowTransform(const SymbolMark &mark, const SymbolScale &scale);
QTransform LabelTransform(const SymbolMark &mark, const SymbolScale &scale);

// The view's colours for the arrows; the drawing keeps the program's own. The night palette
// also darkens the chart picture and tints it red, and gives the labels dark boxes and red
// text (see arrow_colours.h).
enum class ArrowPalette { Standard, ColourBlindSafe, Night };
SurfaceColor PaletteColor(SurfaceColor color, ArrowPalette palette);
// A label's box and text as the palette shows them.
SurfaceColor LabelBoxColor(SurfaceColor box, ArrowPalette palette);
SurfaceColor LabelInkColor(ArrowPalette palette);

// The chart picture as the night palette shows it, in place: each pixel a dark red, the water
// kept lighter than the land so that the coast still shows, lines and lettering black.
void TintForNight(QImage &image);

// One station's label at one step of the tide, as the renderer records it.
struct SweptLabel
{
    int Step = 0;
    SymbolMark Mark;
    QPoint At; // picture pixels, the top-left of the text before turning
    float Angle = 0;
    TextBox Box;
    double Rate = 0; // knots; 0 for slack water
};

// Every station's label at every step of the tide: what decides, once per zoom, which labels
// the view shows, so that the choice does not change from step to step.
struct LabelSweep
{
    std::vector<SweptLabel> Labels;
};

// The marked labels of one recorded step.
void AddSweptLabels(LabelSweep &sweep, const RecordingSurface &recording, int step);

// The stations whose labels the view shows at viewScale (units of the floor per picture pixel):
// where enlarged labels of two stations would overlap at any step of the sweep, the station
// with the stronger peak rate over the sweep keeps its label (the lower station index on a
// tie). Every station keeps it where labels are not enlarged.
QSet<std::int32_t> LabelledStations(const LabelSweep &sweep, double viewScale,
                                    const LegibilityFloor &floor = ScreenFloor);

// Whether two convex quadrilaterals share any point (edges touching count).
bool QuadsOverlap(const std::array<QPointF, 4> &a, const std::array<QPointF, 4> &b);

} // namespace brenlow
