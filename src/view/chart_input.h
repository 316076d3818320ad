#pragma once

#include "view/pointer_modes.h"
#include "view/zoom_ladder.h"

#include <QObject>

class QWidget;

namespace brenlow {

struct AppState;
struct ProgramInfo;
class ChartSurfaceWidget;
class PointerShapes;

// All input over the chart, in one object: the pointer over the chart view (pan mode, the
// station panel, picture spots), the wheel with its notch count, and the keys of the window
// for the chart: zoom and the key to the arrows. The window only makes it and connects its buttons
// to it.
class ChartInput : public QObject
{
public:
    // window: where the zoom keys act whenever it is active.
    ChartInput(AppState &state, ChartSurfaceWidget &chart, QWidget &window, PointerShapes &pointers,
               const ProgramInfo &program, PointerPanels panels);

    PointerModes &Modes() { return modes_; }

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

    AppState &state_;
    ChartSurfaceWidget &chart_;
    PointerModes modes_;
    WheelZoom wheel_;
};

} // namespace brenlow
