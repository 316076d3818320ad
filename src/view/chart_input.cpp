#include "view/chart_input.h"

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
                       PointerShapes &pointers, const ProgramInfo &program, PointerPanels panels)
    : QObject(&chart),
      state_(state),
      chart_(chart),
      modes_(state, chart, pointers, program, std::move(panels))
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
}

void ChartInput::ToggleLegend()
{
    chart_.SetLegendShown(!chart_.LegendShown());
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
        modes_.PointerStill(at.x(), at.y());
}

bool ChartInput::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &chart_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        modes_.MouseDown(at.x(), at.y());
        return true;
    }
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        modes_.MouseMove(at.x(), at.y());
        return true;
    }
    case QEvent::MouseButtonRelease:
        modes_.MouseUp();
        return true;
    case QEvent::Wheel: {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint at = wheel->position().toPoint();
        wheel_.Turn(state_, chart_, wheel->angleDelta().y(), at.x(), at.y());
        modes_.PointerStill(at.x(), at.y());
        return true;
    }
    default:
        return false;
    }
}

} // namespace brenlow
