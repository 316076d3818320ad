#pragma once

#include "core/arrow_colours.h"
#include "core/chart_surface.h"
#include "core/label_queue.h"

#include <QString>

#include <cstdint>

namespace brenlow {

struct AppState;

inline constexpr double GlyphPi = 3.14159265358979;

// Label font sizes as set, in points: 8 and 7 times ChartScale (read back they round to 11
// and 10).
inline constexpr double RateLabelFontSize = 11.111104;
inline constexpr double SlackLabelFontSize = 9.722216;
// Static texts: a redraw sets them once per station without building a string each time.
inline QString LabelFontName()
{
    return QStringLiteral("arial");
}
inline QString SlackText()
{
    return QStringLiteral("SLACK");
}

// Offsets of a move of distance pixels along bearing (degrees clockwise from the top of the
// chart), in picture pixels with y growing downwards.
double PolarDX(std::int32_t bearing, std::int32_t distance);
double PolarDY(std::int32_t bearing, std::int32_t distance);

// Arrow size in picture pixels for a rate in knots: 30 from 2.1, 24 from 1.1, else 18.
std::int32_t ArrowSize(double rate);

// Moves the cursor Distance pixels along Bearing (normalised once into 0..360 and stored
// back), rounding the new position to the nearest pixel with halves to even; with addPoint
// the new position becomes the next polygon point of the surface.
void AdvanceCursor(GlyphCursor &cursor, ImageSurface &surface, bool addPoint);

// Draws one station's arrow for one step with its tip at picture pixel (x, y), pointing along
// direction (degrees, -1 = none), coloured by direction and sized by rate (knots, after the
// rate table; -1 = none), and appends its rate label to state.LabelQueue for the renderer's
// label pass. A rate of 0 draws no arrow and queues "SLACK"; a missing rate or direction draws
// and queues nothing.
// station (an index of the station table, 0 for none) marks the arrow and the queued label as
// that station's symbol (see SymbolMark); the surface is left with no mark.
void DrawArrowGlyph(AppState &state, ImageSurface &surface, std::int32_t x, std::int32_t y,
                    std::int32_t direction, double rate, std::int32_t station = 0);

} // namespace brenlow
