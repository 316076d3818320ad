#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/rounding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

namespace brenlow {
namespace {

TEST(Rounding, HalvesToEvenWithin32Bits)
{
    struct Row
    {
        double value;
        std::optional<std::int32_t> rounded;
    };
    const Row rows[] = {
        {44.5, 44},
        {45.5, 46},
        {0.5, 0},
        {1.5, 2},
        {-2.5, -2},
        {359.49, 359},
        {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},
        {2147483647.5, std::nullopt},
        {-2147483648.5, -2147483648},
        {-2147483649.0, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(RoundToInt32(row.value), row.rounded) << row.value;
        EXPECT_EQ(NearestInt32(row.value), row.rounded.value_or(0)) << row.value;
    }
}

TEST(ChartGeometry, ScalesOffsetsAndZoomLadder)
{
    AppState state;
    SetChartGeometry(state);
    EXPECT_EQ(state.ChartScaleX, 249.99983999999998);
    EXPECT_EQ(state.ChartOffsetX, 0);
    EXPECT_EQ(state.ChartScaleY, 393.055304);
    EXPECT_EQ(state.ChartOffsetY, -75);
    EXPECT_EQ(state.ZoomSteps[1], 14);
    EXPECT_EQ(state.ZoomSteps[2], 36);
    EXPECT_EQ(state.ZoomSteps[3], 54);
    EXPECT_EQ(state.ZoomSteps[4], 72);
    EXPECT_EQ(ZoomLevelPercent(state, 1), 19.444432);
}

} // namespace
} // namespace brenlow
