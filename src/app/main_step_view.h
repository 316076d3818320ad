#pragma once

#include "render/step_view.h"

#include <memory>

class QLabel;
class QWidget;

namespace brenlow {

class ChartSurfaceWidget;
class PleaseWaitWindow;

// The main window's side of showing a step: its chart surface, its three time labels, and the
// please-wait window placed over its tool band.
class MainStepView : public StepView, private TimeLabels
{
public:
    MainStepView(QWidget &window, ChartSurfaceWidget &surface, QLabel &showinghw,
                 QLabel &showingtime, QLabel &highwater);
    ~MainStepView() override;

    ImageSurface &Surface() override;
    TimeLabels &Labels() override;
    bool IsShown() const override;
    void ShowPleaseWait() override;
    void ClosePleaseWait() override;

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
};

} // namespace brenlow
