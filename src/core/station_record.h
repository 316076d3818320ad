#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <vector>

namespace brenlow {

inline constexpr int StepCount = 25; // half-hour steps of a tide, StepIndex 1..25

// One tidal station of the flow database. Arrays are indexed by StepIndex; element 0 is unused.
struct StationRecord
{
    double ChartY = 0;                                   // chart units, growing southwards
    double ChartX = 0;                                   // chart units, growing eastwards
    std::array<double, StepCount + 1> Rate{};            // knots at RateHeight; -1 = no value
    std::array<std::int32_t, StepCount + 1> Direction{}; // whole degrees from north; -1 = none
    std::array<double, StepCount + 1> RateHeight{};      // metres of high water the rate refers to
    QByteArray Title;                                    // single-byte text as stored
    QByteArray Description; // single-byte text; CR LF marks a line break
};

// Records 1..N in file order. Empty until the first record is appended, which also creates
// the unused element 0; an empty table has no upper bound.
using StationTable = std::vector<StationRecord>;

} // namespace brenlow
