#include "plan/passage_planning.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/file_dialogs.h"
#include "core/installation_files.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/text_file.h"
#include "plan/gpx_route.h"
#include "plan/passage_high_waters.h"
#include "plan/passage_plan_window.h"
#include "plan/plan_drawing.h"
#include "plan/plan_printout.h"
#include "plan/plan_table.h"
#include "plan/sweep_plot.h"
#include "platform/chart_surface_widget.h"
#include "platform/picture_button.h"
#include "platform/recording_surface.h"
#include "platform/surface_printer.h"
#include "view/chart_input.h"

#include <QSaveFile>

#include <cmath>

namespace brenlow {
namespace {

// A route's GPX is a few kB; nothing larger than this is read.
constexpr qint64 RouteFileLimit = qint64(16) << 20;
const char RouteFilter[] = "GPX routes (*.gpx);;All files (*)";
// A passage is planned with the high waters of the days from the sweep's first departure to
// this long after its last.
constexpr qint64 LongestPassageSeconds = 24 * 3600;
// High waters this near a passage (hours) are the ones its streams count from.
constexpr double HighWaterReachHours = 6.5;

QString PointName(const std::vector<RoutePoint> &route, std::size_t index)
{
    return route[index].Name.isEmpty() ? QStringLiteral("point %1").arg(index + 1)
                                       : route[index].Name;
}

// "50° 42.45' N  001° 32.30' W".
QString PositionText(GeoPosition position)
{
    const auto part = [](double degrees, int width, QChar positive, QChar negative) {
        const double minutesAll = std::round(std::fabs(degrees) * 6000) / 100;
        const int whole = static_cast<int>(minutesAll / 60);
        return QStringLiteral("%1\u00b0 %2' %3")
            .arg(whole, width, 10, QLatin1Char('0'))
            .arg(minutesAll - whole * 60, 5, 'f', 2, QLatin1Char('0'))
            .arg(degrees < 0 ? negative : positive);
    };
    return part(position.Latitude, 2, QLatin1Char('N'), QLatin1Char('S')) + QStringLiteral("  ")
        + part(position.Longitude, 3, QLatin1Char('E'), QLatin1Char('W'));
}

} // namespace

QDateTime FirstDeparture(QDate today, QTime now)
{
    const int seconds = now.msecsSinceStartOfDay() / 1000 + (now.msec() > 0 ? 1 : 0);
    constexpr int Step = 10 * 60;
    const int rounded = (seconds + Step - 1) / Step * Step;
    return QDateTime(today, QTime(0, 0), Qt::LocalTime).addSecs(rounded);
}

PassagePlanning::PassagePlanning(AppState &state, PlanningServices services, PlanningViews views,
                                 std::function<void(bool)> showMode)
    : QObject(&views.Window),
      state_(state),
      services_(services),
      views_(views),
      showMode_(std::move(showMode))
{
    // The panel is a window of its own: it closes with the main window, so that the program
    // ends when the main window does.
    connect(&views_.Window, &FramelessWindow::Closed, this, [this] {
        if (panel_)
            panel_->close();
    });
}

PassagePlanning::~PassagePlanning() = default;

PassagePlanWindow *PassagePlanning::Panel() const
{
    return panel_;
}

RouteEditor &PassagePlanning::Route()
{
    return views_.Input.Route();
}

void PassagePlanning::TogglePlanMode()
{
    SetPlanMode(!on_);
}

void PassagePlanning::SetPlanMode(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    views_.Input.SetPlanMode(on);
    if (showMode_)
        showMode_(on);
    if (!on) {
        if (panel_)
            panel_->hide();
        views_.Chart.SetRouteDrawing({});
        views_.Printer.SetRouteDrawing({});
        return;
    }
    LoadOnce();
    MakePanel();
    if (!placed_) {
        // Over the main window only where the screen leaves no room beside it, and then below
        // its tool band.
        panel_->PlaceBeside(views_.Window, views_.Chart.geometry().top());
        placed_ = true;
    }
    panel_->show();
    Replan(true);
}

void PassagePlanning::MakePanel()
{
    if (panel_)
        return;
    panel_ = new PassagePlanWindow(
        FirstDeparture(services_.Clock.Today(), services_.Clock.TimeOfDay()), &views_.Window);
    connect(panel_, &PassagePlanWindow::SettingsChanged, this, [this] { Replan(true); });
    connect(panel_, &FramelessWindow::Closed, this, [this] { SetPlanMode(false); });
    connect(panel_->openbutton, &QAbstractButton::clicked, this, &PassagePlanning::OpenRoute);
    connect(panel_->savebutton, &QAbstractButton::clicked, this, &PassagePlanning::SaveRoute);
    connect(panel_->clearbutton, &QAbstractButton::clicked, this, &PassagePlanning::ClearRoute);
    connect(panel_->printbutton, &QAbstractButton::clicked, this, &PassagePlanning::PrintPlan);
}

void PassagePlanning::LoadOnce()
{
    if (loaded_)
        return;
    loaded_ = true;
    const TideConstantsResult constants =
        LoadTideConstants(services_.Program.FilePath(QString::fromLatin1(TideConstantsFileName)));
    constants_ = constants.Constants;
    constantsError_ = constants.Error;
    // The chart's own picture, decoded already: the water is where the chart shows it.
    mask_.emplace(views_.Chart.Recording().Picture());
}

const PassagePlanner &PassagePlanning::PlannerFor(const PassageRequest &request, int sweepHours)
{
    const qint64 sweep = qint64(sweepHours) * 3600;
    const QDate first = request.Departure.addSecs(-sweep).date();
    const QDate last = request.Departure.addSecs(sweep + LongestPassageSeconds).date();
    if (constants_ && predictedDays_ != std::pair(first, last)) {
        predicted_ = PredictedHighWaters(*constants_, first, last);
        predictedDays_ = {first, last};
    }
    const QDate today = services_.Clock.Today();
    std::vector<HighWaterEvent> highWaters = predicted_;
    if (today >= first.addDays(-1) && today <= last.addDays(1))
        highWaters = WithTypedHighWaters(std::move(highWaters), state_, today);
    const auto same = [](const HighWaterEvent &a, const HighWaterEvent &b) {
        return a.Local == b.Local
            && (a.HeightM == b.HeightM || (std::isnan(a.HeightM) && std::isnan(b.HeightM)));
    };
    if (!planner_ || highWaters.size() != highWaters_.size()
        || !std::equal(highWaters.begin(), highWaters.end(), highWaters_.begin(), same)) {
        highWaters_ = std::move(highWaters);
        planner_ = std::make_unique<PassagePlanner>(state_, *mask_, highWaters_);
    }
    return *planner_;
}

void PassagePlanning::Replan(bool withSweep)
{
    if (!panel_ || !on_)
        return;
    const PassageSettings settings = panel_->Settings();
    request_ = PassageRequest{views_.Input.Route().Points(), settings.Departure,
                              settings.BoatSpeedKn, settings.VariationDegrees};
    const PassagePlanner &planner = PlannerFor(request_, settings.SweepHours);
    plan_ = planner.Plan(request_);
    ShowRoute();
    panel_->ShowPlan(TabulatePlan(plan_, request_));
    panel_->ShowHighWaters(HighWatersText());
    if (withSweep) {
        sweep_ = request_.Route.size() >= 2 ? planner.Sweep(request_, settings.SweepHours)
                                            : DepartureSweep();
        panel_->sweep->SetSweep(sweep_, request_.Departure);
    } else {
        panel_->sweep->SetStale();
    }
}

void PassagePlanning::ShowRoute()
{
    const RouteEditor &route = views_.Input.Route();
    RouteDrawing drawing = DrawPlan(state_, route.Points(), &plan_, route.Selected());
    views_.Printer.SetRouteDrawing(drawing);
    views_.Chart.SetRouteDrawing(std::move(drawing));
}

void PassagePlanning::RouteChanged(RouteChange change)
{
    if (!on_)
        return;
    switch (change) {
    case RouteChange::Selected:
        ShowRoute();
        return;
    case RouteChange::Moving:
        Replan(false);
        return;
    case RouteChange::Edited:
    case RouteChange::Settled:
        Replan(true);
        return;
    }
}

void PassagePlanning::Refresh()
{
    Replan(true);
}

QString PassagePlanning::HighWatersText() const
{
    QStringList near;
    const QDateTime from = request_.Departure.addSecs(qint64(-HighWaterReachHours * 3600));
    const QDateTime to = (plan_.Arrival.isValid() ? plan_.Arrival : request_.Departure)
                             .addSecs(qint64(HighWaterReachHours * 3600));
    for (const HighWaterEvent &event : highWaters_) {
        if (event.Local < from || event.Local > to)
            continue;
        QString text = event.Local.toString(QStringLiteral("ddd HH:mm"));
        if (!std::isnan(event.HeightM))
            text += QStringLiteral(" (%1 m)").arg(event.HeightM, 0, 'f', 1);
        near.push_back(text);
    }
    if (!near.isEmpty())
        return QStringLiteral("High water at Portsmouth: ") + near.join(QStringLiteral(", "));
    if (!constants_)
        return QStringLiteral("No high water near: type today's in the options (%1)")
            .arg(constantsError_);
    return QStringLiteral("No high water at Portsmouth near the departure");
}

void PassagePlanning::OpenRoute()
{
    const QString path = services_.Files.ChooseFileToOpen(QStringLiteral("Open a route"),
                                                          QString::fromLatin1(RouteFilter));
    if (path.isEmpty())
        return;
    std::optional<QByteArray> content;
    try {
        content = ReadWholeFile(path, RouteFileLimit);
    } catch (const AppError &error) {
        services_.Messages.Inform(QStringLiteral("The route cannot be read.\n")
                                  + error.Description());
        return;
    }
    if (!content) {
        services_.Messages.Inform(
            QStringLiteral("The route cannot be read.\n%1 is missing.").arg(path));
        return;
    }
    const GpxReadResult gpx = ReadGpxRoute(*content);
    if (gpx.Error) {
        services_.Messages.Inform(
            QStringLiteral("The route cannot be read.\n%1, %2").arg(path, gpx.Error->Text()));
        return;
    }
    routeName_ = gpx.Route.Name;
    views_.Input.Route().SetPoints(gpx.Route.Points);
}

void PassagePlanning::SaveRoute()
{
    const std::vector<RoutePoint> &points = views_.Input.Route().Points();
    if (points.empty()) {
        services_.Messages.Inform(
            QStringLiteral("There is no route to save: click on the chart to add its points."));
        return;
    }
    const QString path = services_.Files.ChooseFileToSave(QStringLiteral("Save the route"),
                                                          QString::fromLatin1(RouteFilter),
                                                          QStringLiteral("route.gpx"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray gpx = WriteGpxRoute(GpxRoute{routeName_, points});
    if (!file.open(QIODevice::WriteOnly) || file.write(gpx) != gpx.size() || !file.commit())
        services_.Messages.Inform(
            QStringLiteral("The route could not be saved.\n%1: %2").arg(path, file.errorString()));
}

void PassagePlanning::ClearRoute()
{
    routeName_.clear();
    views_.Input.Route().SetPoints({});
}

void PassagePlanning::PrintPlan()
{
    if (request_.Route.empty()) {
        services_.Messages.Inform(
            QStringLiteral("There is no passage to print: click on the chart to add its points."));
        return;
    }
    PrintPassagePlan(state_, views_.View, views_.Printer, services_.Messages, Printout());
}

PlanPrintout PassagePlanning::Printout() const
{
    PlanPrintout printout;
    const std::vector<RoutePoint> &route = request_.Route;
    printout.Title = route.size() < 2
        ? QStringLiteral("Passage plan")
        : QStringLiteral("Passage plan: %1 to %2 at %3 kn")
              .arg(PointName(route, 0), PointName(route, route.size() - 1),
                   QString::number(request_.BoatSpeedKn));
    printout.Lines.push_back(
        QStringLiteral("Leaving %1 %2")
            .arg(request_.Departure.toString(QStringLiteral("dddd d MMMM yyyy HH:mm")),
                 request_.Departure.timeZoneAbbreviation()));
    printout.Lines.push_back(HighWatersText());
    for (std::size_t i = 0; i < route.size(); ++i)
        printout.Lines.push_back(QStringLiteral("%1  %2  %3")
                                     .arg(i + 1)
                                     .arg(PositionText(route[i].Position), route[i].Name));
    QString units = QStringLiteral("Courses to steer (CTS) and sets in degrees true");
    if (request_.VariationDegrees)
        units += QStringLiteral(" and magnetic (variation %1\u00b0 %2)")
                     .arg(std::fabs(*request_.VariationDegrees), 0, 'f', 1)
                     .arg(*request_.VariationDegrees < 0 ? QLatin1Char('W') : QLatin1Char('E'));
    printout.Lines.push_back(units
                             + QStringLiteral("; speeds over the ground (SOG) and rates in knots"));
    printout.Table = TabulatePlan(plan_, request_);
    return printout;
}

} // namespace brenlow
