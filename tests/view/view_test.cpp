#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/program_info.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/recording_surface.h"
#include "view/pointer_modes.h"
#include "view/station_info.h"
#include "view/zoom_ladder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace brenlow {
namespace {

TEST(ZoomLadder, OneRungFromAnExactLevelOrAWholeWheelNotch)
{
    AppState state;
    SetChartGeometry(state);
    RecordingSurface surface;
    surface.SetZoom(ZoomLevelPercent(state, 1));
    WheelZoom wheel;
    struct Row
    {
        const char *name;
        std::function<void()> act;
        int level; // after the act; 0: the odd zoom of 33 %
        bool byWheel;
    };
    // The wheel turns about the view's top-left corner here, where the offsets scale with the
    // zoom; the buttons leave them alone.
    const auto turn = [&](int angle) {
        return [&, angle] { wheel.Turn(state, surface, angle, 0, 0); };
    };
    const Row rows[] = {
        {"in", [&] { ZoomIn(state, surface); }, 2, false},
        {"in", [&] { ZoomIn(state, surface); }, 3, false},
        {"in", [&] { ZoomIn(state, surface); }, 4, false},
        {"no rung above the top", [&] { ZoomIn(state, surface); }, 4, false},
        {"out", [&] { ZoomOut(state, surface); }, 3, false},
        {"half a notch up: nothing yet", turn(60), 3, true},
        {"the other half makes the notch", turn(60), 4, true},
        {"a quarter down", turn(-30), 4, true},
        {"then seven quarters: two notches", turn(-210), 2, true},
        {"three quarters up", turn(90), 2, true},
        {"three more: one notch, half left", turn(90), 3, true},
        {"the half and another half", turn(60), 4, true},
        {"a zoom that is no level", [&] { surface.SetZoom(33); }, 0, false},
        {"stays on the button", [&] { ZoomIn(state, surface); }, 0, false},
        {"and on the wheel", turn(-240), 0, true},
    };
    for (const Row &row : rows) {
        const double expected = row.level == 0 ? 33 : ZoomLevelPercent(state, row.level);
        const double before = surface.Zoom();
        surface.SetScrollX(5600);
        surface.SetScrollY(8300);
        row.act();
        EXPECT_EQ(surface.Zoom(), expected) << row.name;
        const double ratio = surface.Zoom() / before;
        EXPECT_EQ(surface.ScrollX(), row.byWheel ? std::lround(5600 * ratio) : 5600) << row.name;
        EXPECT_EQ(surface.ScrollY(), row.byWheel ? std::lround(8300 * ratio) : 8300) << row.name;
    }
}

TEST(PointerToPictureTest, TakesBothRoundingsInOrder)
{
    RecordingSurface surface;
    surface.SetZoom(49.999968);
    surface.SetScrollX(56);
    EXPECT_EQ(PointerToPicture(surface, 100, 0).X, 312);
}

TEST(HitTests, BoxesAndRectanglesWithTheirEdges)
{
    AppState state;
    SetChartGeometry(state);
    state.ChartScaleX = state.ChartScaleY = 1; // chart units are picture pixels here
    state.ChartOffsetY = 0;
    state.StationTable.resize(3);
    state.StationTable[1].ChartX = 100;
    state.StationTable[1].ChartY = 100;
    state.StationTable[2].ChartX = 105; // overlaps the first
    state.StationTable[2].ChartY = 100;
    state.PictureSpotTable.resize(4);
    state.PictureSpotTable[1] = {200, 300, 200, 300, "a.png"}; // top bottom left right
    state.PictureSpotTable[2] = {250, 300, 250, 300, "b.png"}; // inside the first
    state.PictureSpotTable[3] = {500, 400, 500, 400, "c.png"}; // inside out
    const ProgramInfo program{QStringLiteral("/nowhere"), QStringLiteral("brenlow")};
    QtPointerShapes pointers;
    struct Row
    {
        const char *name;
        double px, py;
        std::int16_t mode;
        std::int32_t station, spot;
    };
    const Row rows[] = {
        {"10 left of the first", 90, 100, NormalMode, 1, 0},
        {"10.5 left of it", 89.5, 100, NormalMode, 0, 0},
        {"10 below", 100, 110, NormalMode, 2, 0},
        {"in both boxes: the last wins", 103, 95, NormalMode, 2, 0},
        {"10.5 above", 100, 89.5, NormalMode, 0, 0},
        {"no station in pan mode", 100, 100, PanMode, 0, 0},
        {"spot edge", 200, 200, NormalMode, 0, 1},
        {"far spot edge", 300, 300, NormalMode, 0, 2},
        {"in both spots: the last wins", 260, 260, NormalMode, 0, 2},
        {"inside out never", 450, 450, NormalMode, 0, 0},
        {"no spot in pan mode", 210, 210, PanDragging, 0, 0},
    };
    for (const Row &row : rows) {
        const bool onSpot = SpotHitTest(state, row.mode, pointers, program, row.px, row.py);
        StationHitTest(state, row.mode, pointers, row.px, row.py);
        EXPECT_EQ(state.HoverStation, row.station) << row.name;
        EXPECT_EQ(state.HoverPictureSpot, row.spot) << row.name;
        EXPECT_EQ(onSpot, row.spot != 0) << row.name;
    }
    pointers.SetShape(PointerShape::Default);
}

TEST(StationPanel, TitleBoldAndEachDescriptionLineAParagraph)
{
    StationRecord station;
    station.Title = "Hurst {Narrows}";
    station.Description = "Fierce\r\nstream\r\nhere";
    EXPECT_EQ(StationInfoRtf(station),
              QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang2057{\\fonttbl{\\f0\\fswiss"
                         "\\fcharset0 Arial;}}\r\n{\\*\\generator Msftedit 5.41.15.1503;}"
                         "\\viewkind4\\uc1\\pard\\b\\f0\\fs20 Hurst {Narrows}\\par\r\n\\b0 "
                         "Fierce\\par\r\nstream\\par\r\nhere}"));
}

} // namespace
} // namespace brenlow
