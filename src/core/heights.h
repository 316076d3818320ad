#pragma once

namespace brenlow {

// Heights of high water in metres. A height outside the accepted range, or none at all, counts
// as the default: the renderer falls back on it and the options window accepts only the range.
inline constexpr double DefaultHeight = 4.3;
inline constexpr double LowestHeight = 3.4;
inline constexpr double HighestHeight = 5.0;

} // namespace brenlow
