#pragma once

#include "plan/passage_plan.h"
#include "plan/picture_water_mask.h"
#include "tides/tide_constants.h"
#include "view/route_editor.h"

#include <QDate>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace brenlow {

struct AppState;
struct PlanPrintout;
struct ProgramInfo;
class ChartInput;
class ChartSurfaceWidget;
class Clock;
class FileDialogs;
class FramelessWindow;
class MessageBoxes;
class PassagePlanWindow;
class StepView;
class SurfacePrinter;

// What the passage planner needs of the program around it.
struct PlanningServices
{
    const ProgramInfo &Program; // the tidal constants file
    MessageBoxes &Messages;
    const brenlow::Clock &Clock; // the departure first offered
    FileDialogs &Files;          // routes opened and saved
};

// Where it shows: the main window (the panel goes beside it and closes with it), the chart
// with the input over it, and the step view with the chart surface's printer for the printout.
struct PlanningViews
{
    FramelessWindow &Window;
    ChartSurfaceWidget &Chart;
    ChartInput &Input;
    StepView &View;
    SurfacePrinter &Printer;
};

// The passage planner on the chart: plan mode with the route made on the chart, the track over
// the chart and on its printed pages, and the panel beside the main window. Every change of the
// route or of the panel's settings plans the passage again at once; the sweep of departures
// waits while a point is dragged and follows when it is let go.
//
// The streams count from the high waters of PassageHighWaters: predicted from the tidal
// constants file, with the high waters typed in the options in their place on today.
class PassagePlanning : public QObject
{
public:
    // showMode hears when plan mode goes on or off (the toolbar button shows it).
    PassagePlanning(AppState &state, PlanningServices services, PlanningViews views,
                    std::function<void(bool on)> showMode);
    ~PassagePlanning() override;

    // Plan mode with its panel, on or off; the route stays while it is off, the track shows
    // only while it is on.
    void TogglePlanMode();
    void SetPlanMode(bool on);
    bool PlanModeOn() const { return on_; }

    // What the route editor tells of the route's changes.
    void RouteChanged(RouteChange change);
    // Plans again after the typed high waters may have changed (the options window closed).
    void Refresh();

    // The panel's buttons.
    void OpenRoute();
    void SaveRoute();
    void ClearRoute();
    void PrintPlan();

    // The plan of the route and settings shown, its sweep (stale while a point is dragged),
    // the high waters they count from, and the panel (null until plan mode was first on).
    const PassageRequest &Request() const { return request_; }
    const PassagePlan &Plan() const { return plan_; }
    const DepartureSweep &Sweep() const { return sweep_; }
    const std::vector<HighWaterEvent> &HighWaters() const { return highWaters_; }
    PassagePlanWindow *Panel() const;
    // The route as it is made on the chart.
    RouteEditor &Route();

private:
    void MakePanel();
    // The tidal constants and the chart's water, read when first needed.
    void LoadOnce();
    // The planner for the high waters of the request's days and the sweep's.
    const PassagePlanner &PlannerFor(const PassageRequest &request, int sweepHours);
    void Replan(bool withSweep);
    void ShowRoute();
    QString HighWatersText() const;
    PlanPrintout Printout() const;

    AppState &state_;
    PlanningServices services_;
    PlanningViews views_;
    std::function<void(bool)> showMode_;
    bool on_ = false;
    QPointer<PassagePlanWindow> panel_;
    bool placed_ = false; // the panel was placed beside the main window

    bool loaded_ = false;
    std::optional<TideConstants> constants_;
    QString constantsError_;
    std::optional<PictureWaterMask> mask_;
    std::pair<QDate, QDate> predictedDays_; // first and last day of predicted_
    std::vector<HighWaterEvent> predicted_;
    std::vector<HighWaterEvent> highWaters_;
    std::unique_ptr<PassagePlanner> planner_;

    PassageRequest request_;
    PassagePlan plan_;
    DepartureSweep sweep_;
    QString routeName_; // of the route last opened, kept when it is saved
};

// A departure first offered: the time of day rounded up to the next whole 10 minutes.
QDateTime FirstDeparture(QDate today, QTime now);

} // namespace brenlow
