#pragma once

#include "core/high_water_day.h"
#include "core/label_queue.h"
#include "core/picture_spot.h"
#include "core/rate_table.h"
#include "core/station_record.h"

#include <QString>

#include <array>
#include <cstdint>

namespace brenlow {

// The one program-wide state record, owned by start-up and passed by reference.
struct AppState
{
    // Chart units to picture pixels: x = ChartScaleX * chartX + ChartOffsetX, likewise y.
    double ChartScaleX = 0;
    double ChartOffsetX = 0;
    double ChartScaleY = 0;
    double ChartOffsetY = 0;

    std::array<std::int32_t, 5> ZoomSteps{}; // [1..4]; level k is ZoomSteps[k] * ChartScale %
    QString BackdropPath;

    QString HighWater1Text;
    QString HighWater2Text;
    QString Height1Text;
    QString Height2Text;
    QString PressureText;
    QString AnimSpeedText;
    // The day the four high-water texts above are for, and whether they were typed or
    // predicted.
    brenlow::HighWaterDay HighWaterDay;

    std::int32_t CurrentStep = 0;
    bool SecondTideActive = false;

    brenlow::StationTable StationTable;
    brenlow::PictureSpotTable PictureSpotTable;
    brenlow::RateTable RateTable{};
    std::int32_t RateTableColumns = 0;

    std::int32_t HoverStation = 0;
    std::int32_t HoverPictureSpot = 0;
    std::int32_t MapPictureSpot = 0;

    brenlow::LabelQueue LabelQueue;
    std::int32_t LabelCount = 0;
    brenlow::GlyphCursor GlyphCursor;

    bool PrintRunStarted = false;
};

} // namespace brenlow
