#pragma once

#include "core/chart_surface.h"

namespace brenlow {

// Fill colours of the arrows: directions below 180 degrees green, from 180 on red (&HBBGGRR).
inline constexpr SurfaceColor ArrowColorBelow180 = 0x00FF10;
inline constexpr SurfaceColor ArrowColorFrom180 = 0x0000FF;

// The same two told apart without red and green, for the view's colour-blind-safe palette:
// blue RGB(0, 114, 178) and orange RGB(230, 159, 0), a pair that stays apart under every
// common kind of colour blindness and in grey.
inline constexpr SurfaceColor SafeColorBelow180 = 0xB27200;
inline constexpr SurfaceColor SafeColorFrom180 = 0x009FE6;

} // namespace brenlow
