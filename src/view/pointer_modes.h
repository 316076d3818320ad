#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>

namespace brenlow {

struct AppState;
struct ProgramInfo;
struct StationRecord;
class ImageSurface;
class PointerShapes;

// The pointer modes over the chart (mouse_state).
inline constexpr std::int16_t NormalMode = 0;
inline constexpr std::int16_t PanMode = 1;      // pan mode on, no button held
inline constexpr std::int16_t PanDragging = 17; // a drag in progress

// Clock ticks an idle pan mode lasts: it ends on the eighth tick after it was switched on or
// after the last drag ended.
inline constexpr std::int32_t PanIdleTicks = 8;

// A position on the chart picture, in picture pixels.
struct PicturePoint
{
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// The chart-picture pixel under a surface position (view pixels from the view's top-left),
// with the surface's Zoom and scroll offsets: f = 100 / Zoom, then x * f and y * f each taken
// to the nearest integer, then ScrollX * f and ScrollY * f added and taken to the nearest
// integer again (halves to even both times). Example: Zoom 49.999968, ScrollX 56, x 100 ->
// f 2.00000128, 200, 312.
PicturePoint PointerToPicture(const ImageSurface &surface, std::int32_t x, std::int32_t y);

// The picture spot under a picture position (rectangles with their edges, in doubles; the last
// match in table order wins; a rectangle turned inside out never matches) into
// HoverPictureSpot, and the camera pointer over it. Only in the normal mode; HoverPictureSpot
// is 0 otherwise. Returns whether a spot is under the pointer.
bool SpotHitTest(AppState &state, std::int16_t mouse_state, PointerShapes &pointers,
                 const ProgramInfo &program, double px, double py);

// The station under a picture position (10 picture pixels each side of its position, edges
// included, in doubles; the last match wins) into HoverStation, and the arrow with a
// question mark over it. Only in the normal mode; HoverStation is 0 otherwise.
void StationHitTest(AppState &state, std::int16_t mouse_state, PointerShapes &pointers, double px,
                    double py);

// What the pointer modes ask of the main window.
struct PointerPanels
{
    std::function<void(std::int32_t station)> ShowStationInfo;
    std::function<void()> HideStationInfo;
    // Shows the Map window for MapPictureSpot modally; returns when it has closed.
    std::function<void()> ShowMapWindow;
};

// The main window's handling of the pointer over the chart: zoomed views are dragged in pan
// mode, stations show their panel while a button is held on them, and picture spots open their
// plan. Pointer shapes are application-wide.
class PointerModes
{
public:
    PointerModes(AppState &state, ImageSurface &surface, PointerShapes &pointers,
                 const ProgramInfo &program, PointerPanels panels);

    void TogglePanMode();
    // x and y in view pixels from the surface's top-left; which button is not looked at.
    void MouseDown(std::int32_t x, std::int32_t y);
    void MouseMove(std::int32_t x, std::int32_t y);
    void MouseUp();
    // The view was zoomed or scrolled under a pointer that did not move (keys, the wheel):
    // the spot and station under it are looked up again, as a move there would, so that a
    // click opens what is under the pointer now.
    void PointerStill(std::int32_t x, std::int32_t y);
    // The second step of every clock tick: ends an idle pan mode.
    void PanTimerTick();
    // Back to the normal mode, then the Map window for the spot under the pointer.
    void OpenMapWindow();

    std::int16_t mouse_state = NormalMode;
    std::int32_t mouse_x = 0; // view pixels at the previous drag step
    std::int32_t mouse_y = 0;
    std::int32_t dragtimer = 0;

private:
    void ShowOpenHand();
    void ShowClosedHand();

    AppState &state_;
    ImageSurface &surface_;
    PointerShapes &pointers_;
    const ProgramInfo &program_;
    PointerPanels panels_;
};

} // namespace brenlow
