#pragma once

namespace brenlow {

struct AppState;

// The factor between the chart picture and the base chart on which zoom levels, scroll
// offsets, chart geometry and label font sizes are expressed.
inline constexpr double ChartScale = 1.388888;

// The zoom ladder's levels, 1..4.
inline constexpr int FirstZoomLevel = 1;
inline constexpr int LastZoomLevel = 4;

// The view's first scroll offsets, in view pixels: 60 and 40 times ChartScale (83.33328 and
// 55.55552), taken to the nearest integer.
inline constexpr double StartScrollY = 60 * ChartScale;
inline constexpr double StartScrollX = 40 * ChartScale;

// The chart view's size in view pixels in the main window of its default size.
inline constexpr int OpeningViewWidth = 780;
inline constexpr int OpeningViewHeight = 497;

// Sets the fixed chart geometry (chart units to picture pixels) and the zoom ladder.
void SetChartGeometry(AppState &state);

// Zoom level k (1..4) in percent. Always made by this one multiplication, so that a level
// compares exactly equal to the surface's Zoom read back.
double ZoomLevelPercent(const AppState &state, int level);

// The picture pixel of a chart position, unrounded.
double PictureX(const AppState &state, double chartX);
double PictureY(const AppState &state, double chartY);

} // namespace brenlow
