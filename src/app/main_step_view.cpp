#include "app/main_step_view.h"

#include "platform/chart_surface_widget.h"
#include "platform/please_wait_window.h"
#include "platform/surface_printer.h"

#include <QLabel>

#include <utility>

namespace brenlow {

MainStepView::MainStepView(QWidget &window, ChartSurfaceWidget &surface, QLabel &showinghw,
                           QLabel &showingtime, QLabel &highwater, PrinterDialog &printerDialog,
                           std::function<void()> stepDrawn)
    : window_(window),
      surface_(surface),
      showinghw_(showinghw),
      showingtime_(showingtime),
      highwater_(highwater),
      printer_(std::make_unique<SurfacePrinter>(surface.Recording(), printerDialog,
                                                [&surface] { return surface.size(); })),
      stepDrawn_(std::move(stepDrawn))
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

void MainStepView::StepDrawn()
{
    stepDrawn_();
}

SurfacePrinting &MainStepView::Printing()
{
    return *printer_;
}

SurfacePrinter &MainStepView::Printer()
{
    return *printer_;
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
