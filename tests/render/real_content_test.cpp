#include "render/flow_renderer.h"

#include "core/app_state.h"
#include "core/program_info.h"
#include "data/auxiliary_files.h"
#include "data/station_table.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"

#include <QFile>
#include <QPoint>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

namespace brenlow {
namespace {

TEST(RealContentTest, HighWaterShowsGreenAndRedArrowsAtTheStations)
{
    const ProgramInfo program{test::BuiltProgramFolder(), QStringLiteral("brenlow")};
    for (const char *name : {"backdrop.bmp", "temp.bmp", "temp3.bmp"})
        ASSERT_TRUE(QFile::exists(program.FilePath(QLatin1String(name))))
            << name << " is missing from the built program folder";

    AppState state;
    state.ChartScaleX = 249.99983999999998;
    state.ChartScaleY = 393.055304;
    state.ChartOffsetY = -75;
    test::RecordingMessageBoxes messages;
    LoadStationTable(program, messages, state.StationTable);
    state.RateTableColumns = LoadRateTable(program, state.RateTable);
    ASSERT_GT(state.StationTable.size(), 1u);

    RecordingSurface surface;
    surface.LoadImageFile(program.FilePath(QStringLiteral("backdrop.bmp")));
    test::CaptionLabels labels;
    Draw_flows(state, surface, labels, 13);

    std::set<std::pair<int, int>> stations;
    for (std::size_t i = 1; i < state.StationTable.size(); ++i) {
        const StationRecord &station = state.StationTable[i];
        stations.emplace(static_cast<int>(std::nearbyint(state.ChartScaleX * station.ChartX)),
                         static_cast<int>(std::nearbyint(state.ChartScaleY * station.ChartY - 75)));
    }

    // An arrow shows in its colour where nothing was drawn over the middle of its shaft.
    const QImage picture = RenderPicture(surface);
    int green = 0;
    int red = 0;
    for (const DisplayItem &item : surface.DisplayList()) {
        const auto *arrow = std::get_if<DrawnPolygon>(&item);
        if (!arrow)
            continue;
        ASSERT_EQ(arrow->Points.size(), 7u);
        EXPECT_TRUE(stations.count({arrow->Points[0].x(), arrow->Points[0].y()}))
            << "arrow tip off every station";
        const QPoint shaft =
            (arrow->Points[2] + arrow->Points[3] + arrow->Points[4] + arrow->Points[5]) / 4;
        const QColor shown = picture.pixelColor(shaft);
        if (arrow->Brush == 0x00FF10 && shown == QColor(16, 255, 0))
            ++green;
        if (arrow->Brush == 0x0000FF && shown == QColor(255, 0, 0))
            ++red;
    }
    EXPECT_GT(green, 0);
    EXPECT_GT(red, 0);
}

} // namespace
} // namespace brenlow
