#include "render/flow_renderer.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <vector>

namespace brenlow {
namespace {

constexpr int Columns = 17; // heights 3.4, 3.5, ... 5.0

// Column c is headed 3.4 + (c - 1) / 10 metres; line r of column c holds c + r / 10 knots, so
// a label "c.r" names the cell the rate was carried to (lines 1 to 9 are filled).
void FillRateTable(AppState &state, int columns = Columns)
{
    state.RateTable = {};
    state.RateTableColumns = columns;
    for (int c = 1; c <= columns; ++c) {
        state.RateTable[c][0] = (33 + c) / 10.0;
        for (int r = 1; r <= 9; ++r)
            state.RateTable[c][r] = c + r / 10.0;
    }
}

class FlowRendererTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::WriteBlankPicture(folder.FilePath(QStringLiteral("backdrop.bmp")), 400, 400);
        surface.LoadImageFile(folder.FilePath(QStringLiteral("backdrop.bmp")));
        state.ChartScaleX = 1;
        state.ChartScaleY = 1;
        FillRateTable(state);
        state.StationTable.resize(1);
    }

    void AddStation(const StationRecord &station) { state.StationTable.push_back(station); }

    // The texts drawn by the label pass, in order.
    std::vector<DrawnText> Texts() const
    {
        std::vector<DrawnText> texts;
        for (const DisplayItem &item : surface.DisplayList()) {
            if (const auto *text = std::get_if<DrawnText>(&item))
                texts.push_back(*text);
        }
        return texts;
    }

    // The one label drawn for a single station at step 13.
    QString OnlyLabel()
    {
        Draw_flows(state, surface, labels, 13);
        const std::vector<DrawnText> texts = Texts();
        return texts.size() == 1 ? texts[0].Text : QStringLiteral("<%1 labels>").arg(texts.size());
    }

    test::TempProgramFolder folder;
    RecordingSurface surface;
    test::CaptionLabels labels;
    AppState state;
};

TEST_F(FlowRendererTest, CarriesTheRateToTheActiveHeight)
{
    struct Case
    {
        const char *name;
        QString height1, height2;
        bool second;
        QString label; // column.line of the rate drawn
    };
    // The stored rate 10.3 at 4.3 m selects line 3; the label names the target column.
    const Case cases[] = {
        {"no height: 4.3", "", "", false, "10.3"},
        {"above 5.0: 4.3", "6", "", false, "10.3"},
        {"below 3.4: 4.3", "3.39", "", false, "10.3"},
        {"lowest column", "3.4", "", false, "1.3"},
        {"highest column", "5", "", false, "17.3"},
        {"leading point", ".5", "", false, "10.3"},
        {"decimal comma reads up to it", "4,3", "", false, "7.3"},
        {"not rounded: 4.21 takes 4.3", "4.21", "", false, "10.3"},
        {"blanks ignored", " 3 . 5", "", false, "2.3"},
        {"second tide uses its own height", "5", "3.4", true, "1.3"},
        {"second tide without height: 4.3", "5", "", true, "10.3"},
    };
    AddStation(test::SteadyRecord(200, 200, 90, 10.3, 4.3));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        surface.LoadImageFile(folder.FilePath(QStringLiteral("backdrop.bmp")));
        state.Height1Text = c.height1;
        state.Height2Text = c.height2;
        state.SecondTideActive = c.second;
        EXPECT_EQ(OnlyLabel(), c.label);
    }
}

TEST_F(FlowRendererTest, LooksUpTheReferenceColumnAndRateLine)
{
    struct Case
    {
        const char *name;
        double height; // the station's reference height
        double rate;   // its stored rate
        QString label; // column.line, with the active height at the same column
    };
    state.Height1Text = QStringLiteral("3.4"); // target column 1: the label shows 1.line
    const Case cases[] = {
        {"equal to a line's rate", 4.3, 10.3, "1.3"},
        {"between lines: the next", 4.3, 10.25, "1.3"},
        {"below the first line", 4.3, 0.5, "1.1"},
        {"missing rate: line 1", 4.3, -1, "1.1"},
        {"above the column's top: last filled line", 4.3, 11, "1.9"},
        {"reference 4.25 rounds away from zero to 4.3", 4.25, 10.25, "1.3"},
        {"reference 4.21 rounds to 4.2", 4.21, 9.25, "1.3"},
        {"reference out of range: 4.3", 2.0, 10.25, "1.3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        state.StationTable.resize(1);
        AddStation(test::SteadyRecord(200, 200, 90, c.rate, c.height));
        surface.LoadImageFile(folder.FilePath(QStringLiteral("backdrop.bmp")));
        EXPECT_EQ(OnlyLabel(), c.label);
    }
}

TEST_F(FlowRendererTest, HeightsAboveEveryColumnTakeTheLastColumn)
{
    FillRateTable(state, 4); // 3.4 .. 3.7
    state.Height1Text = QStringLiteral("5");
    AddStation(
        test::SteadyRecord(200, 200, 90, 4.25, 4.3)); // reference 4.3 is above every column too
    EXPECT_EQ(OnlyLabel(), "4.3");
}

TEST_F(FlowRendererTest, DrawsEveryStationInTableOrderThenTheLabels)
{
    AddStation(test::SteadyRecord(100, 100, 10, 10.3, 4.3));
    AddStation(test::SteadyRecord(200, 300, 200, 10.2, 4.3));
    AddStation(test::SteadyRecord(300, 150, -1, 10.2, 4.3)); // no direction: nothing at all
    AddStation(test::SteadyRecord(300, 300, 45, 0, 4.3));    // rate line 1 of a table starting at 0
    state.RateTable[10][1] = 0;

    Draw_flows(state, surface, labels, 13);

    const std::vector<DisplayItem> &items = surface.DisplayList();
    ASSERT_EQ(items.size(), 5u);
    const auto &first = std::get<DrawnPolygon>(items[0]);
    const auto &second = std::get<DrawnPolygon>(items[1]);
    EXPECT_EQ(first.Points.front(), QPoint(100, 100));
    EXPECT_EQ(first.Brush, 0x00FF10u);
    EXPECT_EQ(second.Points.front(), QPoint(200, 300));
    EXPECT_EQ(second.Brush, 0x0000FFu);
    const QStringList expected{"10.3", "10.2", "SLACK"};
    for (int j = 0; j < 3; ++j) {
        const auto &text = std::get<DrawnText>(items[2 + j]);
        EXPECT_EQ(text.Text, expected[j]);
        EXPECT_TRUE(text.Bold);
        EXPECT_EQ(text.FontName, "arial");
        EXPECT_FALSE(text.Transparent);
        EXPECT_EQ(text.Box, SurfaceWhite);
        EXPECT_EQ(text.FontSize, j == 2 ? 10 : 11);
        EXPECT_EQ(QPoint(state.LabelQueue[j + 1].X, state.LabelQueue[j + 1].Y), text.At);
        EXPECT_EQ(text.Angle, static_cast<float>(state.LabelQueue[j + 1].Angle));
    }
    EXPECT_EQ(state.LabelCount, 3);
    EXPECT_TRUE(surface.FontBold());
}

TEST_F(FlowRendererTest, StartsTheLabelQueueAfreshEachDraw)
{
    AddStation(test::SteadyRecord(100, 100, 10, 10.3, 4.3));
    Draw_flows(state, surface, labels, 13);
    surface.LoadImageFile(folder.FilePath(QStringLiteral("backdrop.bmp")));
    Draw_flows(state, surface, labels, 12);
    EXPECT_EQ(state.LabelCount, 1);
    EXPECT_EQ(Texts().size(), 1u);
}

TEST_F(FlowRendererTest, UsesTheGivenStepOfEveryStation)
{
    StationRecord station = test::SteadyRecord(200, 200, 90, 10.1, 4.3);
    station.Rate[13] = 10.4;
    station.Direction[13] = 270;
    AddStation(station);
    Draw_flows(state, surface, labels, 13);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].Text, "10.4");
    EXPECT_EQ(std::get<DrawnPolygon>(surface.DisplayList()[0]).Brush, 0x0000FFu);
}

TEST_F(FlowRendererTest, MapsChartUnitsToPicturePixels)
{
    state.ChartScaleX = 249.99983999999998;
    state.ChartOffsetX = 0;
    state.ChartScaleY = 393.055304;
    state.ChartOffsetY = -75;
    AddStation(test::SteadyRecord(0.5, 0.5, 0, 10.3, 4.3));
    Draw_flows(state, surface, labels, 13);
    // 124.99992 -> 125; 196.527652 - 75 = 121.527652 -> 122.
    EXPECT_EQ(std::get<DrawnPolygon>(surface.DisplayList()[0]).Points.front(), QPoint(125, 122));
}

TEST_F(FlowRendererTest, PressureDoesNotChangeThePicture)
{
    AddStation(test::SteadyRecord(100, 100, 10, 10.3, 4.3));
    AddStation(test::SteadyRecord(200, 300, 200, 10.1, 4.1));
    Draw_flows(state, surface, labels, 13);
    const QImage before = RenderPicture(surface);
    state.PressureText = QStringLiteral("1040");
    surface.LoadImageFile(folder.FilePath(QStringLiteral("backdrop.bmp")));
    Draw_flows(state, surface, labels, 13);
    EXPECT_EQ(RenderPicture(surface), before);
}

TEST_F(FlowRendererTest, SetsTheTimeLabels)
{
    struct Case
    {
        const char *name;
        QString highWater1, highWater2;
        bool second;
        std::int32_t step;
        QString showingHw, showingTime, highWater;
    };
    const Case cases[] = {
        {"high water", "06:05", "", false, 13, "0.0", "06:05:00", "06:05:00"},
        {"six hours before", "06:05", "", false, 1, "-6.0", "00:05:00", "06:05:00"},
        {"wraps past midnight", "03:00", "", false, 1, "-6.0", "21:00:00", "03:00:00"},
        {"half an hour after", "23:45", "", false, 14, "0.5", "00:15:00", "23:45:00"},
        {"half an hour before", "06:05", "", false, 12, "-0.5", "05:35:00", "06:05:00"},
        {"six hours after", "06:05", "", false, 25, "6.0", "12:05:00", "06:05:00"},
        {"second tide", "06:05", "2:30 PM", true, 13, "0.0", "14:30:00", "14:30:00"},
        {"typed with a point", "14.30", "", false, 15, "1.0", "15:30:00", "14:30:00"},
        {"seconds kept", "14:30:20", "", false, 14, "0.5", "15:00:20", "14:30:20"},
        {"with a date", "08/12/2026 14:30", "", false, 13, "0.0", "14:30:00", "14:30:00"},
        {"none given", "", "", false, 13, "0.0", "N/A", "N/A"},
        {"none readable", "soon", "", false, 13, "0.0", "N/A", "N/A"},
        {"active tide not given: kept", "", "14:30", false, 13, "0.0", "previous", "previous"},
        {"second active, not given: kept", "14:30", "", true, 13, "0.0", "previous", "previous"},
    };
    AddStation(test::SteadyRecord(100, 100, 10, 10.3, 4.3));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        labels.ShowingTime = QStringLiteral("previous");
        labels.HighWater = QStringLiteral("previous");
        state.HighWater1Text = c.highWater1;
        state.HighWater2Text = c.highWater2;
        state.SecondTideActive = c.second;
        Draw_flows(state, surface, labels, c.step);
        EXPECT_EQ(labels.ShowingHw, c.showingHw);
        EXPECT_EQ(labels.ShowingTime, c.showingTime);
        EXPECT_EQ(labels.HighWater, c.highWater);
    }
}

TEST_F(FlowRendererTest, AStationTableWithoutElementsCannotBeDrawn)
{
    state.StationTable.clear();
    state.HighWater1Text = QStringLiteral("06:05");
    try {
        Draw_flows(state, surface, labels, 13);
        FAIL() << "drawn without stations";
    } catch (const AppError &error) {
        EXPECT_EQ(error.Number(), 9);
    }
    EXPECT_EQ(labels.ShowingTime, "06:05:00") << "the time labels come first";
}

} // namespace
} // namespace brenlow
