#include "render/station_stream.h"

#include "core/app_state.h"
#include "core/heights.h"
#include "data/field_conversions.h"
#include "tide/decimal_rules.h"

#include <algorithm>

namespace brenlow {

double UsableHeight(double height)
{
    return (height >= LowestHeight && height <= HighestHeight) ? height : DefaultHeight;
}

double HeightFromText(const QString &text)
{
    if (text.isEmpty())
        return DefaultHeight;
    return UsableHeight(ReadZeroPrefixedNumber(text.toLatin1()));
}

RateLookup::RateLookup(const AppState &state)
    : table_(state.RateTable), columns_(std::clamp(state.RateTableColumns, 0, RateTableLimit))
{
    // The last line of each column holding a value (rates grow down a column, so the unfilled
    // lines are the zeros after it); 1 for a column without values.
    for (int c = 1; c < RateTableSize; ++c) {
        filledLines_[c] = 1;
        for (int r = RateTableLimit; r >= 1; --r) {
            if (table_[c][r] != 0) {
                filledLines_[c] = r;
                break;
            }
        }
    }
}

// The first column whose heading height reaches height. A height above every column takes the
// last column rather than the unfilled one after it.
int RateLookup::Column(double height) const
{
    for (int c = 1; c <= columns_; ++c) {
        if (table_[c][0] >= height)
            return c;
    }
    return std::max(columns_, 1);
}

// The first line of the column whose rate reaches the stored rate. A stored rate above the
// column's top rate takes the last filled line, never the zeros of the unfilled lines.
int RateLookup::Line(int column, double rate) const
{
    for (int r = 1; r <= filledLines_[column]; ++r) {
        if (table_[column][r] >= rate)
            return r;
    }
    return filledLines_[column];
}

double RateLookup::CarryRate(double storedRate, double referenceHeight, double height) const
{
    const int referenceColumn = Column(RoundOneDecimal(UsableHeight(referenceHeight)));
    const int line = Line(referenceColumn, storedRate);
    return table_[Column(height)][line];
}

StationStream StreamAtStep(const RateLookup &rates, const StationRecord &station, std::int32_t step,
                           double height)
{
    const auto s = static_cast<std::size_t>(step);
    return {station.Direction[s], rates.CarryRate(station.Rate[s], station.RateHeight[s], height)};
}

} // namespace brenlow
