#include "view/pointer_modes.h"

#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/chart_surface.h"
#include "core/installation_files.h"
#include "core/pointer_shapes.h"
#include "core/program_info.h"
#include "core/rounding.h"

#include <utility>

namespace brenlow {
namespace {

// Half the side of a station's hit box, in picture pixels.
constexpr double StationReach = 10;

QString CursorFile(const ProgramInfo &program, const char *name)
{
    return program.FilePath(QString::fromLatin1(name));
}

} // namespace

PicturePoint PointerToPicture(const ImageSurface &surface, std::int32_t x, std::int32_t y)
{
    const double f = 100 / surface.Zoom();
    const std::int32_t x1 = NearestInt32(x * f);
    const std::int32_t y1 = NearestInt32(y * f);
    return PicturePoint{NearestInt32(surface.ScrollX() * f + x1),
                        NearestInt32(surface.ScrollY() * f + y1)};
}

bool SpotHitTest(AppState &state, std::int16_t mouse_state, PointerShapes &pointers,
                 const ProgramInfo &program, double px, double py)
{
    state.HoverPictureSpot = 0;
    if (mouse_state != NormalMode)
        return false;
    for (std::size_t i = 1; i < state.PictureSpotTable.size(); ++i) {
        const PictureSpot &spot = state.PictureSpotTable[i];
        const double l = PictureX(state, spot.Left);
        const double t = PictureY(state, spot.Top);
        const double r = PictureX(state, spot.Right);
        const double b = PictureY(state, spot.Bottom);
        if (l <= px && px <= r && t <= py && py <= b) {
            pointers.SetCustomShape(CursorFile(program, CameraCursorFileName),
                                    PointerShape::PointingHand);
            state.HoverPictureSpot = static_cast<std::int32_t>(i);
        }
    }
    return state.HoverPictureSpot != 0;
}

void StationHitTest(AppState &state, std::int16_t mouse_state, PointerShapes &pointers, double px,
                    double py)
{
    state.HoverStation = 0;
    if (mouse_state != NormalMode)
        return;
    for (std::size_t i = 1; i < state.StationTable.size(); ++i) {
        const StationRecord &station = state.StationTable[i];
        const double cx = PictureX(state, station.ChartX);
        const double cy = PictureY(state, station.ChartY);
        if (cx - StationReach <= px && px <= cx + StationReach && cy - StationReach <= py
            && py <= cy + StationReach) {
            state.HoverStation = static_cast<std::int32_t>(i);
            pointers.SetShape(PointerShape::ArrowQuestion);
        }
    }
}

PointerModes::PointerModes(AppState &state, ImageSurface &surface, PointerShapes &pointers,
                           const ProgramInfo &program, PointerPanels panels)
    : state_(state),
      surface_(surface),
      pointers_(pointers),
      program_(program),
      panels_(std::move(panels))
{ }

void PointerModes::ShowOpenHand()
{
    pointers_.SetCustomShape(CursorFile(program_, OpenHandCursorFileName), PointerShape::OpenHand);
}

void PointerModes::ShowClosedHand()
{
    pointers_.SetCustomShape(CursorFile(program_, ClosedHandCursorFileName),
                             PointerShape::ClosedHand);
}

void PointerModes::TogglePanMode()
{
    if (mouse_state == PanMode) {
        pointers_.SetShape(PointerShape::Default);
        mouse_state = NormalMode;
        return;
    }
    dragtimer = PanIdleTicks;
    ShowOpenHand();
    mouse_state = PanMode;
}

void PointerModes::MouseMove(std::int32_t x, std::int32_t y)
{
    if (mouse_state == PanDragging) {
        // Read back at every step, so that a limit the surface keeps is respected.
        surface_.SetScrollX(surface_.ScrollX() + (mouse_x - x));
        surface_.SetScrollY(surface_.ScrollY() + (mouse_y - y));
        mouse_x = x;
        mouse_y = y;
    }
    PointerStill(x, y);
}

void PointerModes::PointerStill(std::int32_t x, std::int32_t y)
{
    const PicturePoint at = PointerToPicture(surface_, x, y);
    const bool onSpot = SpotHitTest(state_, mouse_state, pointers_, program_, at.X, at.Y);
    if (!onSpot) {
        if (mouse_state == PanMode)
            ShowOpenHand();
        else if (mouse_state == PanDragging)
            ShowClosedHand();
        else
            pointers_.SetShape(PointerShape::Arrow);
    }
    StationHitTest(state_, mouse_state, pointers_, at.X, at.Y);
}

void PointerModes::MouseDown(std::int32_t x, std::int32_t y)
{
    if (state_.HoverPictureSpot >= 1) {
        OpenMapWindow();
    } else if (state_.HoverStation >= 1) {
        if (panels_.ShowStationInfo)
            panels_.ShowStationInfo(state_.HoverStation);
    } else if (mouse_state == PanMode) {
        mouse_state = PanDragging;
        mouse_x = x;
        mouse_y = y;
        ShowClosedHand();
    }
}

void PointerModes::MouseUp()
{
    if (panels_.HideStationInfo)
        panels_.HideStationInfo();
    if (mouse_state == PanDragging) {
        mouse_state = PanMode;
        dragtimer = PanIdleTicks;
        ShowOpenHand();
    }
}

void PointerModes::PanTimerTick()
{
    if (mouse_state != PanMode || dragtimer <= 0)
        return;
    dragtimer -= 1;
    if (dragtimer == 0) {
        mouse_state = NormalMode;
        pointers_.SetShape(PointerShape::Default);
    }
}

void PointerModes::OpenMapWindow()
{
    mouse_state = NormalMode;
    state_.MapPictureSpot = state_.HoverPictureSpot;
    if (state_.MapPictureSpot == 0)
        return;
    if (panels_.ShowMapWindow)
        panels_.ShowMapWindow();
}

} // namespace brenlow
