#pragma once

#include "view/pointer_modes.h"
#include "view/route_editor.h"
#include "view/zoom_ladder.h"

#include <QObject>

#include <functional>

class QWidget;

namespace brenlow {

struct AppState;
struct ProgramInfo;
class ChartSurfaceWidget;
class PointerShapes;

// All input over the chart, in one object: the pointer over the chart view (pan mode, the
// station panel, picture spots, and in plan mode the planner's route), the wheel with its notch
// count, and the keys of the window that act on the chart (zoom, the key to the arrows, and the
// route's Delete). The window only makes it and connects its buttons to it.
class ChartInput : public QObject
{
public:
    // window: where the keys act whenever it is active. routeChanged hears of every change of
    // the route made on the chart.
    ChartInput(AppState &state, ChartSurfaceWidget &chart, QWidget &window, PointerShapes &pointers,
               const ProgramInfo &program, PointerPanels panels,
               std::function<void(RouteChange)> routeChanged = {});

    PointerModes &Modes() { return modes_; }
    RouteEditor &Route() { return route_; }

    // Plan mode: presses on the chart make the route instead of showing station panels and
    // opening picture spots, and the pointer over the chart is a cross. Pan mode still drags
    // the chart meanwhile. Delete and Backspace remove the selected route point.
    void SetPlanMode(bool on);
    bool PlanMode() const { return planMode_; }

    // The zoom buttons and keys: one rung of the ladder.
    void ZoomIn();
    void ZoomOut();
    // The L key: shows the key to the arrows over the chart's corner, or hides it.
    void ToggleLegend();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // After a zoom the pointer did not make, what lies under a pointer resting on the chart is
    // looked up again, so that a click opens what is under it now.
    void LookUpUnderPointer();
    void PointerStill(std::int32_t x, std::int32_t y);
    // In plan mode and not panning: the route takes the presses.
    bool EditingRoute() const;
    void ShowRoutePointer();

    AppState &state_;
    ChartSurfaceWidget &chart_;
    PointerShapes &pointers_;
    PointerModes modes_;
    RouteEditor route_;
    WheelZoom wheel_;
    bool planMode_ = false;
};

} // namespace brenlow
