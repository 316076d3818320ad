#pragma once

#include "core/rate_table.h"
#include "core/station_record.h"

#include <QString>

#include <array>
#include <cstdint>

namespace brenlow {

struct AppState;

// A high-water height in metres as the rates are carried to it: one outside 3.4 .. 5.0 (or not
// a number) counts as the default 4.3.
double UsableHeight(double height);

// A typed high-water height: empty gives 4.3, else the number leading "0" followed by the text
// (".5" -> 0.5, "4,3" -> 4), taken through UsableHeight.
double HeightFromText(const QString &text);

// The rate table as the chart reads it: the column of a high-water height and the line of a
// stored rate. Made once per draw (or per plan) from the loaded table.
class RateLookup
{
public:
    explicit RateLookup(const AppState &state);

    // A stored rate (knots at referenceHeight metres) carried through the table to a high water
    // of height metres (already usable): the line is found in the reference column (rounded to
    // one decimal), the value read in the column of height. A negative stored rate finds the
    // first line.
    double CarryRate(double storedRate, double referenceHeight, double height) const;

private:
    int Column(double height) const;
    int Line(int column, double rate) const;

    const RateTable &table_;
    int columns_ = 0;
    std::array<int, RateTableSize> filledLines_{};
};

// A station's stream at one step as the chart shows it: the stored direction (whole degrees
// true, the way the stream flows to; -1 = none) and the stored rate carried to the high water
// (knots).
struct StationStream
{
    std::int32_t Direction = -1;
    double Rate = 0;
};

// The stream of station at step (StepIndex 1..25) for a high water of height metres (usable).
StationStream StreamAtStep(const RateLookup &rates, const StationRecord &station, std::int32_t step,
                           double height);

} // namespace brenlow
