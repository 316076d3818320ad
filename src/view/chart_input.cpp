#include "view/chart_input.h"

#include "core/app_state.h"
#include "core/pointer_shapes.h"
#include "platform/chart_surface_widget.h"

#include <QCursor>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcut>
#include <QWheelEvent>
#include <QWidget>

#include <utility>

namespace brenlow {

ChartInput::ChartInput(AppState &state, ChartSurfaceWidget &chart, QWidget &window,
                       PointerShapes &pointers, const ProgramInfo &program, PointerPanels panels,
                       std::function<void(RouteChange)> routeChanged)
    : QObject(&chart),
      state_(state),
      chart_(chart),
      pointers_(pointers),
      modes_(state, chart, pointers, program, std::move(panels)),
      route_(state, chart, std::move(routeChanged))
{
    chart.setMouseTracking(true);
    chart.installEventFilter(this);
    // Plus and minus zoom whenever the window is active, whatever has the focus; "=" is "+"
    // without the shift key.
    const auto onKey = [this, &window](Qt::Key key, void (ChartInput::*zoom)()) {
        auto *shortcut = new QShortcut(QKeySequence(key), &window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, zoom);
    };
    onKey(Qt::Key_Plus, &ChartInput::ZoomIn);
    onKey(Qt::Key_Equal, &ChartInput::ZoomIn);
    onKey(Qt::Key_Minus, &ChartInput::ZoomOut);
    onKey(Qt::Key_L, &ChartInput::ToggleLegend);
    const auto deletePoint = [this] {
        if (planMode_)
            route_.DeleteSelected();
    };
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace}) {
        auto *shortcut = new QShortcut(QKeySequence(key), &window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, deletePoint);
    }
}

void ChartInput::ToggleLegend()
{
    chart_.SetLegendShown(!chart_.LegendShown());
}

void ChartInput::SetPlanMode(bool on)
{
    if (on == planMode_)
        return;
    planMode_ = on;
    route_.MouseUp();
    if (modes_.mouse_state != NormalMode)
        return; // pan mode keeps its hand
    if (on)
        ShowRoutePointer();
    else
        pointers_.SetShape(PointerShape::Default);
}

bool ChartInput::EditingRoute() const
{
    return planMode_ && modes_.mouse_state == NormalMode;
}

void ChartInput::ShowRoutePointer()
{
    state_.HoverPictureSpot = 0;
    state_.HoverStation = 0;
    pointers_.SetShape(PointerShape::Cross);
}

void ChartInput::ZoomIn()
{
    brenlow::ZoomIn(state_, chart_);
    LookUpUnderPointer();
}

void ChartInput::ZoomOut()
{
    brenlow::ZoomOut(state_, chart_);
    LookUpUnderPointer();
}

void ChartInput::LookUpUnderPointer()
{
    const QPoint at = chart_.mapFromGlobal(QCursor::pos());
    if (chart_.isVisible() && chart_.rect().contains(at))
        PointerStill(at.x(), at.y());
}

void ChartInput::PointerStill(std::int32_t x, std::int32_t y)
{
    if (EditingRoute())
        ShowRoutePointer();
    else
        modes_.PointerStill(x, y);
}

bool ChartInput::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &chart_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (EditingRoute())
            route_.MouseDown(at.x(), at.y());
        else
            modes_.MouseDown(at.x(), at.y());
        return true;
    }
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (EditingRoute()) {
            ShowRoutePointer();
            route_.MouseMove(at.x(), at.y());
        } else {
            modes_.MouseMove(at.x(), at.y());
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        route_.MouseUp();
        modes_.MouseUp();
        return true;
    case QEvent::Wheel: {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint at = wheel->position().toPoint();
        wheel_.Turn(state_, chart_, wheel->angleDelta().y(), at.x(), at.y());
        PointerStill(at.x(), at.y());
        return true;
    }
    default:
        return false;
    }
}

} // namespace brenlow
