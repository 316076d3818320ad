#include "render/flow_renderer.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/chart_surface.h"
#include "core/rounding.h"
#include "core/step_view.h"
#include "data/station_table.h"
#include "render/arrow_glyph.h"
#include "render/station_stream.h"
#include "tide/high_water_time.h"
#include "tide/step_conventions.h"

#include <cmath>

namespace brenlow {

namespace {

// Stations further out than this cannot be drawn on any picture; keeping them out also keeps
// the glyph's pixel arithmetic inside 32 bits.
constexpr double FarthestPixel = 1e9;

// The height of the active high water; empty or out of 3.4..5.0 gives 4.3.
double ActiveHeight(const AppState &state)
{
    return HeightFromText(state.SecondTideActive ? state.Height2Text : state.Height1Text);
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
    const RateLookup rates(state);
    const double activeHeight = ActiveHeight(state);

    for (std::size_t i = 1; i <= last; ++i) {
        const StationRecord &station = state.StationTable[i];
        const StationStream stream = StreamAtStep(rates, station, step, activeHeight);

        const double px = PictureX(state, station.ChartX);
        const double py = PictureY(state, station.ChartY);
        if (!(std::fabs(px) <= FarthestPixel && std::fabs(py) <= FarthestPixel))
            continue;
        DrawArrowGlyph(state, surface, NearestInt32(px), NearestInt32(py), stream.Direction,
                       stream.Rate, static_cast<std::int32_t>(i));
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
        surface.SetSymbolMark(label.Mark);
        surface.DrawText(label.X, label.Y, label.Text);
    }
    surface.SetSymbolMark(SymbolMark{});
}

} // namespace brenlow
