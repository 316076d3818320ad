#include "core/rounding.h"

#include <cmath>
#include <limits>

namespace brenlow {
namespace {

// Adding and taking away 1.5 * 2^52 rounds a double of magnitude below 2^51 to an integer in
// the default rounding mode (to nearest, halves to even) without a library call.
constexpr double RoundingShift = 6755399441055744.0;
constexpr double LargestQuickValue = 2e9;

} // namespace

std::optional<std::int32_t> RoundToInt32(double value)
{
    // nearbyint rounds in the current mode, which the program never leaves: to nearest, halves
    // to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min()
          && rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::int32_t NearestInt32(double value)
{
    if (!(std::fabs(value) < LargestQuickValue))
        return RoundToInt32(value).value_or(0);
    return static_cast<std::int32_t>((value + RoundingShift) - RoundingShift);
}

std::int64_t NearestInt64(double value)
{
    const double rounded = std::nearbyint(value);
    // The largest double below 2^63 converts safely; anything beyond is out of range.
    if (!(rounded >= -9.2233720368547748e18 && rounded < 9.2233720368547758e18))
        return 0;
    return static_cast<std::int64_t>(rounded);
}

} // namespace brenlow
