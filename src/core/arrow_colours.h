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

// The same two at night, told apart by lightness alone as eyes adapted to the dark see them
// (and as they stay apart under a red lamp): a light red-orange RGB(255, 150, 110) and a deep
// red RGB(40, 4, 2), lighter and darker than the darkened water between them.
inline constexpr SurfaceColor NightColorBelow180 = 0x6E96FF;
inline constexpr SurfaceColor NightColorFrom180 = 0x020428;
// The rate labels at night: red RGB(230, 84, 62) on a box of near black RGB(22, 3, 2) in place
// of black on white.
inline constexpr SurfaceColor NightLabelInk = 0x3E54E6;
inline constexpr SurfaceColor NightLabelBox = 0x020316;

} // namespace brenlow
