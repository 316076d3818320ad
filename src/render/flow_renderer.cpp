#include "render/flow_renderer.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/heights.h"
#include "core/rounding.h"
#include "data/field_conversions.h"
#include "data/station_table.h"
#include "render/arrow_glyph.h"
#include "render/chart_surface.h"
#include "render/step_view.h"
#include "tide/decimal_rules.h"
#include "tide/high_water_time.h"
#include "tide/step_conventions.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cmath>

namespace brenlow {

namespace {

constexpr int RateLines = RateTableSize - 1; // lines 1..50

// Stations further out than this cannot be drawn on any picture; keeping them out also keeps
// the glyph's pixel arithmetic inside 32 bits.
constexpr double FarthestPixel = 1e9;

// Heights read as the number leading "0" followed by the text (".5" -> 0.5, "4,3" -> 4).
double ReadHeightText(const QString &text)
{
    return ReadZeroPrefixedNumber(text.toLatin1());
}

double InRangeOrDefault(double height)
{
    return (height > HighestHeight || height < LowestHeight) ? DefaultHeight : height;
}

// The height of the active high water; empty or out of 3.4..5.0 gives 4.3.
double ActiveHeight(const AppState &state)
{
    const QString &text = state.SecondTideActive ? state.Height2Text : state.Height1Text;
    if (text.isEmpty())
        return DefaultHeight;
    return InRangeOrDefault(ReadHeightText(text));
}

// The first column whose heading height reaches height. A height above every column takes the
// last column rather than the unfilled one after it.
int RateColumn(const AppState &state, int columns, double height)
{
    for (int c = 1; c <= columns; ++c) {
        if (state.RateTable[c][0] >= height)
            return c;
    }
    return std::max(columns, 1);
}

// The last line of each column holding a value (rates grow down a column, so the unfilled
// lines are the zeros after it); 1 for a column without values.
std::array<int, RateTableSize> FilledRateLines(const AppState &state)
{
    std::array<int, RateTableSize> filled{};
    for (int c = 1; c < RateTableSize; ++c) {
        filled[c] = 1;
        for (int r = RateLines; r >= 1; --r) {
            if (state.RateTable[c][r] != 0) {
                filled[c] = r;
                break;
            }
        }
    }
    return filled;
}

// The first line of the column whose rate reaches the stored rate. A stored rate above the
// column's top rate takes the last filled line, never the zeros of the unfilled lines.
int RateLine(const AppState &state, int column, int filledLines, double rate)
{
    for (int r = 1; r <= filledLines; ++r) {
        if (state.RateTable[column][r] >= rate)
            return r;
    }
    return filledLines;
}

void SetTimeLabels(const AppState &state, TimeLabels &labels, std::int32_t step)
{
    labels.SetShowingHw(HourOffsetText(step));
    const bool firstGiven = HighWaterGiven(state.HighWater1Text);
    const bool secondGiven = HighWaterGiven(state.HighWater2Text);
    if (const std::optional<HighWaterTime> active = ActiveHighWater(state)) {
        labels.SetShowingTime(ClockText(StepClockTime(active->TimeOfDay, step)));
        labels.SetHighWater(ClockText(active->TimeOfDay));
    } else if (!firstGiven && !secondGiven) {
        labels.SetShowingTime(QStringLiteral("N/A"));
        labels.SetHighWater(QStringLiteral("N/A"));
    }
    // Otherwise only the inactive tide is given: the captions keep what they showed.
}

} // namespace

void Draw_flows(AppState &state, ImageSurface &surface, TimeLabels &labels, std::int32_t step)
{
    SetTimeLabels(state, labels, step);
    state.LabelCount = 0;

    const auto last = static_cast<std::size_t>(LastIndex(state.StationTable));
    if (step < FirstStep || step > LastStep)
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       ErrorMeaning(ErrorNumber::SubscriptOutOfRange), ErrorSource());
    const auto s = static_cast<std::size_t>(step);
    const int columns = std::clamp(state.RateTableColumns, 0, RateTableSize - 1);
    const std::array<int, RateTableSize> filledLines = FilledRateLines(state);
    const double activeHeight = ActiveHeight(state);

    for (std::size_t i = 1; i <= last; ++i) {
        const StationRecord &station = state.StationTable[i];
        const double referenceHeight = RoundOneDecimal(InRangeOrDefault(station.RateHeight[s]));
        const int referenceColumn = RateColumn(state, columns, referenceHeight);
        const int line =
            RateLine(state, referenceColumn, filledLines[referenceColumn], station.Rate[s]);
        const int targetColumn = RateColumn(state, columns, activeHeight);
        const double rate = state.RateTable[targetColumn][line];

        const double px = PictureX(state, station.ChartX);
        const double py = PictureY(state, station.ChartY);
        if (!(std::fabs(px) <= FarthestPixel && std::fabs(py) <= FarthestPixel))
            continue;
        DrawArrowGlyph(state, surface, NearestInt32(px), NearestInt32(py), station.Direction[s],
                       rate);
    }

    // Labels last, so that no arrow covers one.
    surface.SetFontBold(true);
    surface.SetFontName(LabelFontName());
    surface.SetTextTransparent(false);
    surface.SetPenColor(SurfaceBlack);
    surface.SetBrushColor(SurfaceWhite);
    for (std::int32_t j = 1; j <= state.LabelCount; ++j) {
        const PendingLabel &label = state.LabelQueue[static_cast<std::size_t>(j)];
        surface.SetTextAngle(static_cast<float>(label.Angle));
        surface.SetFontSize(label.FontSize);
        surface.DrawText(label.X, label.Y, label.Text);
    }
}

} // namespace brenlow
