#include "render/arrow_glyph.h"

#include "core/app_state.h"
#include "core/rounding.h"
#include "tide/decimal_rules.h"

#include <array>
#include <cmath>
#include <limits>

namespace brenlow {

namespace {

constexpr std::int32_t PenWidthOne = 1;

// Directions this close to the 32-bit limit would overflow the bearing arithmetic (D + 90).
constexpr std::int32_t LargestDirection = std::numeric_limits<std::int32_t>::max() - 360;

void Move(GlyphCursor &cursor, ImageSurface &surface, bool addPoint, std::int32_t bearing,
          std::int32_t distance)
{
    cursor.Bearing = bearing;
    cursor.Distance = distance;
    AdvanceCursor(cursor, surface, addPoint);
}

// Sine and cosine of the whole-degree bearings 0..360, computed exactly as PolarDX and PolarDY
// would compute them: every glyph makes fourteen moves.
struct BearingTable
{
    std::array<double, 361> Sin;
    std::array<double, 361> Cos;

    BearingTable()
    {
        for (int b = 0; b <= 360; ++b) {
            Sin[b] = std::sin(b * GlyphPi / 180);
            Cos[b] = std::cos(b * GlyphPi / 180);
        }
    }
};

const BearingTable Bearings;

} // namespace

double PolarDX(std::int32_t bearing, std::int32_t distance)
{
    if (bearing >= 0 && bearing <= 360)
        return distance * Bearings.Sin[bearing];
    return distance * std::sin(bearing * GlyphPi / 180);
}

double PolarDY(std::int32_t bearing, std::int32_t distance)
{
    if (bearing >= 0 && bearing <= 360)
        return -(distance * Bearings.Cos[bearing]);
    return -(distance * std::cos(bearing * GlyphPi / 180));
}

std::int32_t ArrowSize(double rate)
{
    if (rate >= 2.1)
        return 30;
    // Rates strictly between 2.0 and 2.1 take the class below 2.1, so that no arrow collapses
    // to a point.
    if (rate >= 1.1)
        return 24;
    return 18;
}

void AdvanceCursor(GlyphCursor &cursor, ImageSurface &surface, bool addPoint)
{
    if (cursor.Bearing < 0)
        cursor.Bearing += 360;
    if (cursor.Bearing > 360)
        cursor.Bearing -= 360;
    cursor.X = NearestInt32(cursor.X + PolarDX(cursor.Bearing, cursor.Distance));
    cursor.Y = NearestInt32(cursor.Y + PolarDY(cursor.Bearing, cursor.Distance));
    if (addPoint)
        surface.AddPolygonPoint(cursor.X, cursor.Y);
}

void DrawArrowGlyph(AppState &state, ImageSurface &surface, std::int32_t x, std::int32_t y,
                    std::int32_t direction, double rate, std::int32_t station)
{
    const std::int32_t d = direction;
    // "Not a number" counts as a missing rate.
    if (!(rate >= 0) || d < 0 || d > LargestDirection)
        return;

    const SurfaceColor color = d < 180 ? ArrowColorBelow180 : ArrowColorFrom180;
    const std::int32_t size = ArrowSize(rate);

    surface.SetPenWidth(PenWidthOne);
    surface.SetPenMode(PenModeCopy);
    surface.SetBrushStyle(BrushSolid);
    surface.SetPenColor(SurfaceBlack);
    surface.SetBrushColor(color);
    surface.SetPenStyle(PenSolid);

    const bool addPoint = rate > 0;
    if (addPoint)
        surface.AddPolygonPoint(x, y); // the tip

    // The outline, turning by fixed angles from the tip: left barb, left shaft corner, left
    // tail corner, right tail corner, right shaft corner, right barb.
    GlyphCursor &cursor = state.GlyphCursor;
    cursor.X = x;
    cursor.Y = y;
    const std::int32_t quarter = NearestInt32(size / 4.0);
    Move(cursor, surface, addPoint, d - 150, size);
    Move(cursor, surface, addPoint, cursor.Bearing - 120, quarter);
    Move(cursor, surface, addPoint, cursor.Bearing + 90, NearestInt32(1.5 * size));
    const std::int32_t tailX = cursor.X;
    const std::int32_t tailY = cursor.Y;
    Move(cursor, surface, addPoint, cursor.Bearing - 90, NearestInt32(size / 2.0));
    Move(cursor, surface, addPoint, cursor.Bearing - 90, NearestInt32(1.5 * size));
    Move(cursor, surface, addPoint, cursor.Bearing + 90, quarter);

    // The middle of the tail end, where the label hangs, found as the label's first move below
    // finds it.
    GlyphCursor pivot{tailX, tailY, d + 90, quarter};
    AdvanceCursor(pivot, surface, false);
    const SymbolMark mark{station, QPoint(x, y), QPoint(pivot.X, pivot.Y)};

    QString text;
    if (addPoint) {
        if (station != 0)
            surface.SetSymbolMark(mark);
        surface.DrawPolygon();
        if (station != 0)
            surface.SetSymbolMark(SymbolMark{});
        text = FormatOneDecimal(rate);
        surface.SetFontSize(RateLabelFontSize);
    } else {
        // Slack water: no arrow, the moves above only served to find the tail.
        surface.SetFontSize(SlackLabelFontSize);
        text = SlackText();
    }
    surface.SetFontName(LabelFontName());
    surface.SetTextTransparent(false);
    surface.SetPenColor(SurfaceBlack);
    surface.SetBrushColor(SurfaceWhite);

    // The label: from the middle of the tail end, half a text height further back, then (for
    // directions below 180, whose text is turned the other way round) across by the height and
    // back by the width, so that the box lies behind the tail, centred on the axis, and reads
    // along the arrow without being upside down. TextAngle is set and read back in single
    // precision as the surface keeps it.
    cursor.X = tailX;
    cursor.Y = tailY;
    Move(cursor, surface, false, d + 90, quarter);
    const std::int32_t height = surface.TextHeight(text);
    Move(cursor, surface, false, cursor.Bearing, NearestInt32(height / 2.0));
    surface.SetTextAngle(static_cast<float>(360 - d));
    surface.SetTextAngle(surface.TextAngle() - 90);
    if (d < 180) {
        surface.SetTextAngle(surface.TextAngle() - 180);
        Move(cursor, surface, false, d - 90, height);
        Move(cursor, surface, false, d - 180, surface.TextWidth(text));
    }
    if (surface.TextAngle() > 360)
        surface.SetTextAngle(surface.TextAngle() - 360);
    if (surface.TextAngle() < 0)
        surface.SetTextAngle(surface.TextAngle() + 360);
    // A slack label goes forward by its width, over the place of the undrawn shaft.
    if (text.toUpper() == SlackText())
        Move(cursor, surface, false, d, surface.TextWidth(text));

    state.LabelCount += 1;
    if (state.LabelQueue.size() <= static_cast<std::size_t>(state.LabelCount))
        state.LabelQueue.resize(static_cast<std::size_t>(state.LabelCount) + 1);
    PendingLabel &label = state.LabelQueue[static_cast<std::size_t>(state.LabelCount)];
    label.X = cursor.X;
    label.Y = cursor.Y;
    label.Angle = NearestInt32(surface.TextAngle());
    label.Text = text;
    label.FontSize = NearestInt32(surface.FontSize());
    label.Mark = station != 0 ? mark : SymbolMark{};

    surface.SetPenMode(PenModeCopy);
}

} // namespace brenlow
