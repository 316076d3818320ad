#pragma once

#include <array>

namespace brenlow {

inline constexpr int RateTableSize = 51; // indexes 0..50 each way

// [position][line]: line 0 holds the column heights, lines 1..50 the rates.
using RateTable = std::array<std::array<double, RateTableSize>, RateTableSize>;

// Most values on a rate table line and most rate rows: indexes 1..50.
inline constexpr int RateTableLimit = RateTableSize - 1;

} // namespace brenlow
