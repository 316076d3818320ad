#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace brenlow {

// The print window's eighteen boxes, ticked or clear: [1] the step shown, [2] three hours
// after it, [3] three hours before it, [4] half-hourly with 2 and 3; [5] .. [17] the whole
// hours -6 .. +6 from high water, [18] with each also the half hour towards high water.
// Element 0 is unused.
using PrintBoxes = std::array<bool, 19>;

inline constexpr int FirstFixedBox = 5; // -6 hours
inline constexpr int HighWaterBox = 11; // high water
inline constexpr int LastFixedBox = 17; // +6 hours
inline constexpr int HalfHoursBox = 18;

// The steps to print, one page each, in the order they print, for the boxes ticked with
// saved the step shown. Option 2 (any of the whole hours ticked) comes before option 1 (the
// step shown, or the hours before or after it); empty when neither is chosen.
//   option 1 at saved 13 with 2, 3 and 4: 7, 8, .. 19
//   option 1 at saved 2, 3 hourly: 20, 22, 24 (before step 1 the count goes on from 25)
//   option 2, all boxes: 1, 2, 3, .. 13, 15, 14, 17, 16, .. 25, 24
std::vector<std::int32_t> SelectedSteps(const PrintBoxes &boxes, std::int32_t saved);

} // namespace brenlow
