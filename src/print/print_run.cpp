#include "print/print_run.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/event_pump.h"
#include "core/message_boxes.h"
#include "core/surface_printing.h"
#include "render/redraw.h"
#include "tide/high_water_in_use.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

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
                               MessageBoxes &messages, const PrintBoxes &boxes,
                               const PageChoices &choices)
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
            if (!ComposeStepPage(state, view, printing, step, true, choices)) {
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

QString StepPictureName(const AppState &state, std::int32_t step)
{
    QString name;
    if (state.HighWaterDay.Date.isValid())
        name += state.HighWaterDay.Date.toString(Qt::ISODate) + QLatin1Char('_');
    if (const std::optional<HighWaterInUse> inUse = FindHighWaterInUse(state))
        name +=
            QStringLiteral("HW") + inUse->Time.toString(QStringLiteral("HHmm")) + QLatin1Char('_');
    return name + QStringLiteral("%1_").arg(step, 2, 10, QLatin1Char('0')) + SignedHourOffset(step)
        + QStringLiteral(".png");
}

std::optional<QString> FolderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("The folder %1 does not exist.").arg(folder);
    if (!info.isDir())
        return QStringLiteral("%1 is not a folder.").arg(folder);
    // Permissions alone do not tell (a read-only mount, a full disk): a file is tried.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".brenlow-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("The folder %1 cannot be written: %2")
            .arg(folder, probe.errorString());
    return std::nullopt;
}

PictureRunEnd SaveStepPictures(AppState &state, StepView &view, SurfacePrinting &printing,
                               PagePictures &pictures, MessageBoxes &messages,
                               const std::vector<std::int32_t> &steps, const QString &folder,
                               int width, const PageChoices &choices)
{
    if (steps.empty()) {
        messages.Inform(QStringLiteral("Please select Print options 1 or 2"));
        return PictureRunEnd::NoStepChosen;
    }
    if (const std::optional<QString> problem = FolderProblem(folder)) {
        messages.Inform(*problem);
        return PictureRunEnd::FolderNotWritable;
    }
    const QDir dir(folder);
    QStringList there;
    for (const std::int32_t step : steps) {
        const QString name = StepPictureName(state, step);
        if (QFileInfo::exists(dir.filePath(name)))
            there.push_back(name);
    }
    if (!there.isEmpty()) {
        constexpr qsizetype Named = 3;
        QString list = there.mid(0, Named).join(QStringLiteral(", "));
        if (there.size() > Named)
            list += QStringLiteral(" and %1 more").arg(there.size() - Named);
        if (!messages.Ask(QStringLiteral("%1 of the pictures are in %2 already (%3). Replace them?")
                              .arg(there.size())
                              .arg(folder, list)))
            return PictureRunEnd::NotReplaced;
    }

    const std::int32_t saved = state.CurrentStep;
    PictureRunEnd end = PictureRunEnd::Saved;
    for (const std::int32_t step : steps) {
        try {
            DrawStepPage(state, view, printing, step, choices);
            pictures.SavePagePicture(dir.filePath(StepPictureName(state, step)), width);
        } catch (const std::exception &error) {
            end = PictureRunEnd::Failed;
            messages.Inform(WithReason(
                QStringLiteral("The picture for %1 could not be saved.").arg(PageName(step)),
                ReasonOf(error)));
            break;
        }
    }
    ShowSavedStep(state, view, messages, saved);
    return end;
}

} // namespace brenlow
