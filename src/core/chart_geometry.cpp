#include "core/chart_geometry.h"

#include "core/app_state.h"
#include "core/rounding.h"

namespace brenlow {

void SetChartGeometry(AppState &state)
{
    state.ChartScaleX = 180 * ChartScale; // 249.99983999999998
    state.ChartOffsetX = 0;
    state.ChartScaleY = 283 * ChartScale; // 393.055304
    state.ChartOffsetY = -75;
    const int percents[] = {20, 50, 75, 100};
    for (int level = FirstZoomLevel; level <= LastZoomLevel; ++level)
        state.ZoomSteps[level] = NearestInt32(percents[level - 1] / ChartScale); // 14 36 54 72
}

double ZoomLevelPercent(const AppState &state, int level)
{
    return state.ZoomSteps[level] * ChartScale;
}

double PictureX(const AppState &state, double chartX)
{
    return state.ChartScaleX * chartX + state.ChartOffsetX;
}

double PictureY(const AppState &state, double chartY)
{
    return state.ChartScaleY * chartY + state.ChartOffsetY;
}

} // namespace brenlow
