#pragma once

#include "core/step_view.h"

#include <functional>
#include <memory>

class QLabel;
class QWidget;

namespace brenlow {

class ChartSurfaceWidget;
class PleaseWaitWindow;
class PrinterDialog;
class SurfacePrinter;
class SurfacePrinting;

// The main window's side of showing a step: its chart surface with the surface's printing, its
// three time labels, and the please-wait window placed over its tool band.
class MainStepView : public StepView, private TimeLabels
{
public:
    // stepDrawn runs at the end of every redraw.
    MainStepView(QWidget &window, ChartSurfaceWidget &surface, QLabel &showinghw,
                 QLabel &showingtime, QLabel &highwater, PrinterDialog &printerDialog,
                 std::function<void()> stepDrawn);
    ~MainStepView() override;

    ImageSurface &Surface() override;
    TimeLabels &Labels() override;
    bool IsShown() const override;
    void ShowPleaseWait() override;
    void ClosePleaseWait() override;
    void StepDrawn() override;

    // The chart surface's printing group: pages of what the surface's view shows.
    SurfacePrinting &Printing();
    // The same printer, with the planner's track and pages of its own.
    SurfacePrinter &Printer();

private:
    void SetShowingHw(const QString &caption) override;
    void SetShowingTime(const QString &caption) override;
    void SetHighWater(const QString &caption) override;

    QWidget &window_;
    ChartSurfaceWidget &surface_;
    QLabel &showinghw_;
    QLabel &showingtime_;
    QLabel &highwater_;
    std::unique_ptr<PleaseWaitWindow> pleaseWait_;
    std::unique_ptr<SurfacePrinter> printer_;
    std::function<void()> stepDrawn_;
};

} // namespace brenlow
