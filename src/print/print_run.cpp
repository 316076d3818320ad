#include "print/print_run.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/event_pump.h"
#include "core/message_boxes.h"
#include "core/surface_printing.h"
#include "print/compose_step_page.h"
#include "render/redraw.h"

#include <exception>

namespace brenlow {
namespace {

QString WithReason(const QString &text, const QString &reason)
{
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

QString ReasonOf(const std::exception &error)
{
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        return appError->Description();
    return QString::fromLocal8Bit(error.what());
}

// The step shown before the run, on the screen again: the page composition without printing
// (events let run, the step redrawn keeping the view). A chart picture that fails now is told
// by the redraw as any failed redraw is; the step is the saved one either way.
void ShowSavedStep(AppState &state, StepView &view, MessageBoxes &messages, std::int32_t saved)
{
    PumpEventsOnce();
    RedrawStepOrReport(state, view, messages, ShownStep{saved, state.SecondTideActive},
                       RedrawWay{.KeepView = true, .PleaseWait = false});
    state.CurrentStep = saved;
}

} // namespace

PrintRunEnd PrintSelectedSteps(AppState &state, StepView &view, SurfacePrinting &printing,
                               MessageBoxes &messages, const PrintBoxes &boxes)
{
    const std::int32_t saved = state.CurrentStep;
    state.PrintRunStarted = false;
    const std::vector<std::int32_t> steps = SelectedSteps(boxes, saved);
    if (steps.empty()) {
        messages.Inform(QStringLiteral("Please select Print options 1 or 2"));
        return PrintRunEnd::NoOptionChosen;
    }

    PrintRunEnd end = PrintRunEnd::Printed;
    std::int32_t failedStep = 0;
    std::int32_t lastPrinted = 0;
    QString reason;
    for (const std::int32_t step : steps) {
        try {
            if (!ComposeStepPage(state, view, printing, step, true)) {
                end = PrintRunEnd::Cancelled;
                break;
            }
            lastPrinted = step;
        } catch (const std::exception &error) {
            end = PrintRunEnd::Failed;
            failedStep = step;
            reason = ReasonOf(error);
            break;
        }
    }
    // The pages printed so far make one document; after a failure it is still finished, so
    // that no job is left open.
    try {
        printing.EndPrintJob();
    } catch (const std::exception &error) {
        if (end == PrintRunEnd::Printed) {
            // The document could not be finished: the last page is the one not on paper.
            end = PrintRunEnd::Failed;
            failedStep = lastPrinted;
            reason = ReasonOf(error);
        }
    }

    if (end == PrintRunEnd::Failed) {
        const QString text = failedStep != 0
            ? QStringLiteral("The page for %1 could not be printed.").arg(PageName(failedStep))
            : QStringLiteral("The pages could not be printed.");
        messages.Inform(WithReason(text, reason));
    }
    ShowSavedStep(state, view, messages, saved);
    return end;
}

} // namespace brenlow
