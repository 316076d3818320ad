#include "app/main_step_view.h"

#include "platform/chart_surface_widget.h"
#include "platform/please_wait_window.h"

#include <QLabel>

namespace brenlow {

MainStepView::MainStepView(QWidget &window, ChartSurfaceWidget &surface, QLabel &showinghw,
                           QLabel &showingtime, QLabel &highwater)
    : window_(window),
      surface_(surface),
      showinghw_(showinghw),
      showingtime_(showingtime),
      highwater_(highwater)
{ }

MainStepView::~MainStepView() = default;

ImageSurface &MainStepView::Surface()
{
    return surface_;
}

TimeLabels &MainStepView::Labels()
{
    return *this;
}

bool MainStepView::IsShown() const
{
    return window_.isVisible();
}

void MainStepView::ShowPleaseWait()
{
    if (!pleaseWait_)
        pleaseWait_ = std::make_unique<PleaseWaitWindow>();
    pleaseWait_->ShowOver(window_);
}

void MainStepView::ClosePleaseWait()
{
    pleaseWait_.reset();
}

void MainStepView::SetShowingHw(const QString &caption)
{
    showinghw_.setText(caption);
}

void MainStepView::SetShowingTime(const QString &caption)
{
    showingtime_.setText(caption);
}

void MainStepView::SetHighWater(const QString &caption)
{
    highwater_.setText(caption);
}

} // namespace brenlow
