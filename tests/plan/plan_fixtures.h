#pragma once

#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/program_info.h"
#include "data/auxiliary_files.h"
#include "data/station_table.h"
#include "plan/geo_position.h"
#include "plan/picture_water_mask.h"
#include "plan/tide_timeline.h"
#include "support/test_platform.h"

#include <QRectF>
#include <QTimeZone>

#include <stdexcept>
#include <vector>

namespace brenlow::test {

// Water over a picture of the real chart's size, but for the land rectangles (picture pixels)
// and the chart's border of Border pixels.
class RectangleMask : public WaterMask
{
public:
    static constexpr double Width = 4750;
    static constexpr double Height = 4300;
    static constexpr double Border = 34;

    explicit RectangleMask(std::vector<QRectF> land = {}) : Land(std::move(land)) { }

    Ground GroundAt(double x, double y) const override
    {
        if (!(x >= Border && x < Width - Border && y >= Border && y < Height - Border))
            return Ground::OffChart;
        for (const QRectF &rect : Land)
            if (rect.contains(x, y))
                return Ground::Land;
        return Ground::Water;
    }

    std::vector<QRectF> Land;
};

// A date and time in UTC on a summer day, so that no change of the clocks falls in a test.
inline QDateTime At(int hour, int minute, int second = 0, int day = 12)
{
    return QDateTime(QDate(2026, 6, day), QTime(hour, minute, second), QTimeZone::utc());
}

// 50°u'N 1°v'W, as the chart's positions are written.
inline GeoPosition Position(double minutesNorth, double minutesWest)
{
    return {50 + minutesNorth / 60, -1 - minutesWest / 60};
}

// The chart geometry and a rate table of heights 3.4 .. 5.0 in which line j holds
// 0.1 (j - 1) knots in every column but 5.0, which holds twice that: a stored rate at 4.3 m
// comes out unchanged, and doubled at a 5.0 m high water.
inline AppState MadeUpState()
{
    AppState state;
    SetChartGeometry(state);
    state.RateTableColumns = 17;
    for (int c = 1; c <= 17; ++c) {
        state.RateTable[c][0] = (33 + c) / 10.0;
        for (int line = 1; line <= RateTableLimit; ++line)
            state.RateTable[c][line] = (line - 1) / 10.0 * (c == 17 ? 2 : 1);
    }
    state.StationTable.resize(1);
    return state;
}

// A station at position with the same stream (set degrees true, rate knots at 4.3 m) at every
// step; the caller may change single steps of the record it returns.
inline StationRecord &AddStation(AppState &state, GeoPosition position, int set, double rate)
{
    const ChartPoint chart = ToChartUnits(position);
    StationRecord station;
    station.ChartX = chart.X;
    station.ChartY = chart.Y;
    for (int s = 1; s <= StepCount; ++s) {
        station.Direction[s] = set;
        station.Rate[s] = rate;
        station.RateHeight[s] = 4.3;
    }
    state.StationTable.push_back(station);
    return state.StationTable.back();
}

// The stations, rate table and chart picture of the built program folder.
struct RealContent
{
    RealContent()
    {
        const ProgramInfo program{BuiltProgramFolder(), QStringLiteral("brenlow")};
        SetChartGeometry(State);
        RecordingMessageBoxes messages;
        LoadStationTable(program, messages, State.StationTable);
        State.RateTableColumns = LoadRateTable(program, State.RateTable);
        Mask = PictureWaterMask::Load(program.FilePath(QStringLiteral("backdrop.bmp")));
        if (!Mask)
            throw std::runtime_error("the built program folder has no chart picture");
    }

    AppState State;
    std::optional<PictureWaterMask> Mask;
};

} // namespace brenlow::test
