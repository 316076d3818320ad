#include "plan/passage_planning.h"

#include "app/main_screen.h"
#include "core/app_state.h"
#include "plan/gpx_route.h"
#include "plan/passage_plan_window.h"
#include "plan/sweep_plot.h"
#include "platform/chart_surface_widget.h"
#include "platform/picture_button.h"
#include "platform/rich_text_panel.h"
#include "platform/route_painter.h"
#include "support/pointer_shape.h"
#include "support/program_process.h"
#include "support/program_run.h"
#include "view/pointer_modes.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace brenlow {
namespace {

constexpr double Radians = std::numbers::pi / 180;

// 50°u'N 1°v'W.
GeoPosition Position(double minutesNorth, double minutesWest)
{
    return {50 + minutesNorth / 60, -1 - minutesWest / 60};
}

// The real chart's places of the planner's own tests: the narrows off Hurst Castle, Yarmouth
// Roads, off Gurnard, Cowes Roads; Newport is inland.
const GeoPosition Hurst = Position(42.45, 32.3);
const GeoPosition Yarmouth = Position(43.2, 29.8);
const GeoPosition Gurnard = Position(45.5, 21.5);
const GeoPosition Cowes = Position(46.4, 18.6);
const GeoPosition Newport = Position(42, 17.5);

// The main window on a copy of the built program folder, shown; the clock says 12:00 on
// 12 June 2026.
struct PlanningRun : test::ProgramRun
{
    PlanningRun() : test::ProgramRun(QStringLiteral("brenlow-planning"))
    {
        for (const QString &name : QDir(test::BuiltProgramFolder()).entryList(QDir::Files))
            if (name != QLatin1String("brenlow"))
                folder.CopyFromBuiltProgram(name);
        clock.Date = QDate(2026, 6, 12); // a summer day: no change of the clocks near it
        screen = std::make_unique<MainScreen>(state, services);
        EXPECT_TRUE(screen->Load());
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }

    PassagePlanning &Planning() { return screen->Planning(); }
    PassagePlanWindow &Panel() { return *screen->Planning().Panel(); }

    void Mouse(QEvent::Type type, QPoint at) { test::SendLeftMouse(*screen->IB1, type, at); }
    void Click(QPoint at)
    {
        Mouse(QEvent::MouseMove, at);
        Mouse(QEvent::MouseButtonPress, at);
        Mouse(QEvent::MouseButtonRelease, at);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, (from + to) / 2);
        Mouse(QEvent::MouseMove, to);
        Mouse(QEvent::MouseButtonRelease, to);
    }
    void Key(Qt::Key key)
    {
        QApplication::setActiveWindow(screen.get());
        QTest::keyClick(screen.get(), key);
    }
    // The view pixel of a position at the present zoom and scroll, from the chart's geometry
    // as the content describes it: x = 249.99984 (38 - v) / 2, y = 393.055304 (54 - u) / 2 - 75.
    QPointF ExactViewOf(GeoPosition position) const
    {
        const double v = (-position.Longitude - 1) * 60;
        const double u = (position.Latitude - 50) * 60;
        const double zoom = screen->IB1->Zoom() / 100;
        return QPointF(249.99984 * (38 - v) / 2 * zoom - screen->IB1->ScrollX(),
                       (393.055304 * (54 - u) / 2 - 75) * zoom - screen->IB1->ScrollY());
    }
    QPoint ViewOf(GeoPosition position) const { return ExactViewOf(position).toPoint(); }
    std::vector<GeoPosition> Route()
    {
        std::vector<GeoPosition> positions;
        for (const RoutePoint &point : screen->Planning().Request().Route)
            positions.push_back(point.Position);
        return positions;
    }

    std::unique_ptr<MainScreen> screen;
};

TEST(PlanModeTest, TheButtonThePKeyAndThePanelSwitchIt)
{
    PlanningRun run;
    MainScreen &screen = *run.screen;
    const QPoint inland = run.ViewOf(Newport); // no station, no picture spot
    struct Row
    {
        const char *name;
        std::function<void()> act;
        bool on;
    };
    const Row rows[] = {
        {"the button", [&] { screen.planbutton->click(); }, true},
        {"P", [&] { run.Key(Qt::Key_P); }, false},
        {"P again", [&] { run.Key(Qt::Key_P); }, true},
        {"the panel's close button", [&] { run.Panel().closebutton->click(); }, false},
        {"the button again", [&] { screen.planbutton->click(); }, true},
        {"the button once more", [&] { screen.planbutton->click(); }, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        row.act();
        EXPECT_EQ(run.Planning().PlanModeOn(), row.on);
        EXPECT_EQ(screen.planbutton->isChecked(), row.on);
        ASSERT_NE(run.Planning().Panel(), nullptr);
        EXPECT_EQ(run.Panel().isVisible(), row.on);
        run.Mouse(QEvent::MouseMove, inland);
        EXPECT_EQ(test::ShownShape(), row.on ? Qt::CrossCursor : Qt::ArrowCursor);
        if (row.on && run.Route().empty())
            run.Click(run.ViewOf(Hurst));
        EXPECT_EQ(run.Route().size(), 1u) << "the route stays while plan mode is off";
        EXPECT_EQ(screen.IB1->Route().IsEmpty(), !row.on) << "the track shows in plan mode";
    }
    EXPECT_EQ(screen.planbutton->geometry(), QRect(596, 16, 46, 15));
    run.Mouse(QEvent::MouseButtonPress, run.ViewOf(Cowes));
    EXPECT_EQ(run.Route().size(), 1u) << "outside plan mode a press adds no point";
}

TEST(RouteByMouseTest, PressesAddMoveAndInsertPointsAndDeleteRemovesThem)
{
    PlanningRun run;
    MainScreen &screen = *run.screen;
    screen.planbutton->click();
    const GeoPosition onTheLeg{(Hurst.Latitude + Cowes.Latitude) / 2,
                               (Hurst.Longitude + Cowes.Longitude) / 2};
    struct Row
    {
        const char *name;
        std::function<void()> act;
        std::vector<GeoPosition> route; // the places pressed that the points are now at
    };
    const Row rows[] = {
        {"a press on the water adds a point", [&] { run.Click(run.ViewOf(Hurst)); }, {Hurst}},
        {"the next goes after it", [&] { run.Click(run.ViewOf(Cowes)); }, {Hurst, Cowes}},
        {"a press on a leg puts a point into it",
         [&] { run.Click(run.ViewOf(onTheLeg)); },
         {Hurst, onTheLeg, Cowes}},
        {"a drag moves a point",
         [&] { run.Drag(run.ViewOf(onTheLeg), run.ViewOf(Gurnard)); },
         {Hurst, Gurnard, Cowes}},
        {"Delete removes the point moved last", [&] { run.Key(Qt::Key_Delete); }, {Hurst, Cowes}},
        {"a press on a point selects it, Backspace removes it",
         [&] {
             run.Click(run.ViewOf(Cowes));
             run.Key(Qt::Key_Backspace);
         },
         {Hurst}},
        {"zoomed in and scrolled, a drag follows the pointer",
         [&] {
             screen.zoomin->click();
             screen.IB1->SetScrollX(0);
             screen.IB1->SetScrollY(200);
             run.Drag(run.ViewOf(Hurst), run.ViewOf(Yarmouth));
         },
         {Yarmouth}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        row.act();
        const std::vector<GeoPosition> route = run.Route();
        ASSERT_EQ(route.size(), row.route.size());
        // Half a view pixel, in degrees at this zoom: a minute of latitude is 196.5 picture
        // pixels, a minute of longitude 125.
        const double picturePerView = 100 / screen.IB1->Zoom();
        for (std::size_t i = 0; i < route.size(); ++i) {
            EXPECT_NEAR(route[i].Latitude, row.route[i].Latitude, 0.5 * picturePerView / 196.5 / 60)
                << i;
            EXPECT_NEAR(route[i].Longitude, row.route[i].Longitude, 0.5 * picturePerView / 125 / 60)
                << i;
            // ... and it shows on the very pixel pressed.
            const QPointF back = run.ExactViewOf(route[i]);
            const QPoint pressed = run.ViewOf(row.route[i]);
            EXPECT_NEAR(back.x(), pressed.x(), 1e-6) << i;
            EXPECT_NEAR(back.y(), pressed.y(), 1e-6) << i;
        }
        EXPECT_EQ(screen.IB1->Route().Points.size(), route.size());
    }
}

TEST(RouteByMouseTest, InPlanModeStationsAndPictureSpotsTakePoints)
{
    PlanningRun run;
    MainScreen &screen = *run.screen;
    screen.planbutton->click();
    const StationRecord &station = run.state.StationTable[1];
    const PictureSpot &spot = run.state.PictureSpotTable[1];
    const auto view = [&](double chartX, double chartY) {
        return run.ViewOf(FromChartUnits({chartX, chartY}));
    };
    bool mapOpened = false;
    // A Map window would wait for its close button: close it, and say it opened.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            mapOpened = true;
            modal->close();
        }
    });
    guard.start(50);
    const QPoint onStation = view(station.ChartX, station.ChartY);
    run.Mouse(QEvent::MouseButtonPress, onStation);
    EXPECT_FALSE(screen.RichTextBox1->isVisible()) << "no station panel in plan mode";
    run.Mouse(QEvent::MouseButtonRelease, onStation);
    run.Click(view((spot.Left + spot.Right) / 2, (spot.Top + spot.Bottom) / 2));
    EXPECT_FALSE(mapOpened);
    EXPECT_EQ(run.state.MapPictureSpot, 0);
    EXPECT_EQ(run.Route().size(), 2u);
}

TEST(PassagePanelTest, HurstToCowesAtFiveKnotsAndAPointOnLand)
{
    PlanningRun run;
    run.screen->planbutton->click();
    PassagePlanWindow &panel = run.Panel();
    ASSERT_EQ(panel.Settings().Departure, QDateTime(QDate(2026, 6, 12), QTime(12, 0)));
    ASSERT_EQ(panel.Settings().BoatSpeedKn, 5);
    for (const GeoPosition &place : {Hurst, Yarmouth, Gurnard, Cowes})
        run.Click(run.ViewOf(place));

    const PassagePlan &plan = run.Planning().Plan();
    const PassageRequest &request = run.Planning().Request();
    ASSERT_TRUE(plan.Succeeded()) << plan.Failure->Text.toStdString();
    ASSERT_GT(plan.Pieces.size(), 3u);
    // Predicted for the day; a time typed in the options takes today's nearest one's place.
    const std::vector<HighWaterEvent> predicted = run.Planning().HighWaters();
    // The day's last high water is at 11:35 or later: 25 minutes before it is the same day.
    const auto today = std::find_if(predicted.rbegin(), predicted.rend(), [](const auto &event) {
        return event.Local.date() == QDate(2026, 6, 12);
    });
    ASSERT_NE(today, predicted.rend());
    const QDateTime typed = today->Local.addSecs(-25 * 60);
    run.state.HighWater1Text = typed.toString("HH:mm");
    run.Planning().Refresh();
    EXPECT_EQ(run.Planning().HighWaters().size(), predicted.size());
    EXPECT_EQ(run.Planning().HighWaters()[std::size_t(predicted.rend() - today - 1)].Local, typed);
    run.state.HighWater1Text.clear();
    run.Planning().Refresh();
    for (std::size_t k = 0; k < plan.Pieces.size(); ++k) {
        SCOPED_TRACE(k);
        const PlanPiece &piece = plan.Pieces[k];
        // The times chain, and each triangle closes: water track plus stream along the track.
        EXPECT_EQ(piece.Start, k == 0 ? request.Departure : plan.Pieces[k - 1].End);
        const double east = 5 * std::sin(piece.CourseTrueDegrees * Radians)
            + piece.RateKn * std::sin(piece.SetDegrees * Radians);
        const double north = 5 * std::cos(piece.CourseTrueDegrees * Radians)
            + piece.RateKn * std::cos(piece.SetDegrees * Radians);
        EXPECT_NEAR(east, piece.SpeedOverGroundKn * std::sin(piece.TrackDegrees * Radians), 1e-9);
        EXPECT_NEAR(north, piece.SpeedOverGroundKn * std::cos(piece.TrackDegrees * Radians), 1e-9);
        EXPECT_EQ(panel.legs->item(int(k), 0)->text(), QString::number(piece.Leg));
    }
    EXPECT_EQ(plan.Arrival, plan.Pieces.back().End);
    EXPECT_EQ(panel.legs->rowCount(), int(plan.Pieces.size()));
    EXPECT_EQ(panel.legs->item(0, 1)->text(), "12:00");
    EXPECT_TRUE(
        panel.summary->text().startsWith("Arrive " + plan.Arrival.addSecs(30).toString("HH:mm")))
        << "to the nearest minute";

    // The sweep's departure at the chosen time is this very passage.
    const DepartureSweep &sweep = panel.sweep->Sweep();
    EXPECT_EQ(sweep.Entries.size(), 37u) << "every 10 minutes for 3 hours each way";
    ASSERT_TRUE(sweep.Best);
    const SweepEntry &chosen = sweep.Entries[18];
    EXPECT_EQ(chosen.Departure, request.Departure);
    EXPECT_EQ(chosen.Arrival, plan.Arrival);
    EXPECT_NEAR(chosen.DurationHours, plan.DurationHours, 1e-12);
    EXPECT_LE(sweep.Entries[*sweep.Best].DurationHours, plan.DurationHours);

    run.Click(run.ViewOf(Newport));
    const PassagePlan &refused = run.Planning().Plan();
    ASSERT_FALSE(refused.Succeeded());
    EXPECT_EQ(refused.Failure->Text, "Route point 5 is on land");
    EXPECT_EQ(panel.summary->text(), "Route point 5 is on land");
    EXPECT_EQ(panel.legs->rowCount(), 0);
    EXPECT_TRUE(run.screen->IB1->Route().Points.at(4).Failed) << "the chart shows it in red";
    EXPECT_FALSE(panel.sweep->Sweep().Best);
}

TEST(TrackOnChartTest, TheTrackLiesOverTheChartOutsideItsDrawing)
{
    PlanningRun run;
    ChartSurfaceWidget &chart = *run.screen->IB1;
    const std::size_t drawn = chart.DisplayList().size();
    const QImage before = chart.grab().toImage();
    run.screen->planbutton->click();
    run.Click(run.ViewOf(Hurst));
    run.Click(run.ViewOf(Cowes));
    EXPECT_EQ(chart.DisplayList().size(), drawn) << "the track is no part of the drawing";

    const QImage after = chart.grab().toImage();
    // Where the leg crosses a line of pixels a third of the way along (clear of the hour
    // ticks and the points' labels), one of them is the track's colour.
    const QPointF from = run.ExactViewOf(Hurst);
    const QPointF to = run.ExactViewOf(Cowes);
    const QPointF third = from + (to - from) / 3;
    const auto distance = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
            + std::abs(a.blue() - b.blue());
    };
    int nearest = 3 * 255;
    for (int dy = -2; dy <= 2; ++dy) {
        const QPoint at(qRound(third.x()), qRound(third.y()) + dy);
        nearest = std::min(nearest, distance(after.pixelColor(at), RouteTrackColour));
        EXPECT_GT(distance(before.pixelColor(at), RouteTrackColour), 60);
    }
    EXPECT_LE(nearest, 12);
}

TEST(PlanPrintTest, OneJobTheChartWithTheTrackThenTheTable)
{
    PlanningRun run;
    run.screen->planbutton->click();
    run.Click(run.ViewOf(Hurst));
    run.Click(run.ViewOf(Cowes));
    const std::int32_t step = run.state.CurrentStep;
    const std::size_t drawn = run.screen->IB1->DisplayList().size();
    run.Panel().printbutton->click();
    EXPECT_EQ(run.printer.Asked, 1);
    EXPECT_TRUE(run.messages.Shown.empty());
    EXPECT_EQ(run.state.CurrentStep, step);
    EXPECT_EQ(run.screen->IB1->DisplayList().size(), drawn) << "the captions are gone again";

    const QString pdf = run.printer.FilePath;
    const QRegularExpressionMatch pages =
        QRegularExpression("Pages:\\s+(\\d+)").match(test::ToolOutput("pdfinfo", {pdf}));
    ASSERT_TRUE(pages.hasMatch());
    EXPECT_EQ(pages.captured(1).toInt(), 2);
    const QStringList text =
        test::ToolOutput("pdftotext", {"-layout", pdf, "-"}).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(text.size(), 2);
    EXPECT_TRUE(text[0].contains("Highwater:")) << "the chart page of the step shown";
    EXPECT_TRUE(text[1].contains("Passage plan: point 1 to point 2 at 5 kn"))
        << text[1].toStdString();
    EXPECT_TRUE(text[1].contains(run.Panel().summary->text()));
    const PlanPiece &first = run.Planning().Plan().Pieces.front();
    EXPECT_TRUE(text[1].contains(QRegularExpression(
        QStringLiteral("1\\s+12:00\\s+%1").arg(first.End.addSecs(30).toString("HH:mm")))));

    // The chart page carries the track.
    const QString png = run.folder.FilePath("chart");
    ASSERT_EQ(QProcess::execute(
                  "pdftoppm", {"-r", "40", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, png}),
              0);
    const QImage page(png + ".png");
    ASSERT_FALSE(page.isNull());
    bool track = false;
    for (int y = 0; y < page.height() && !track; ++y)
        for (int x = 0; x < page.width() && !track; ++x) {
            const QColor c = page.pixelColor(x, y);
            track = std::abs(c.red() - RouteTrackColour.red()) < 40 && c.green() < 60
                && std::abs(c.blue() - RouteTrackColour.blue()) < 40;
        }
    EXPECT_TRUE(track);
}

TEST(RouteFilesTest, SaveThenOpenGivesTheSameRoute)
{
    PlanningRun run;
    run.screen->planbutton->click();
    for (const GeoPosition &place : {Hurst, Yarmouth, Cowes})
        run.Click(run.ViewOf(place));
    const std::vector<RoutePoint> made = run.Planning().Request().Route;
    const QString saved = run.folder.FilePath("trip.gpx");
    const QString notGpx = run.folder.FilePath("notes.gpx");
    run.folder.WriteFile("notes.gpx", "<notes/>");
    PassagePlanWindow &panel = run.Panel();
    struct Row
    {
        const char *name;
        PictureButton *button;
        QString answer; // empty: the user cancels
        std::size_t points;
        bool told;
    };
    const Row rows[] = {
        {"save", panel.savebutton, saved, 3, false},
        {"clear", panel.clearbutton, QString(), 0, false},
        {"open cancelled", panel.openbutton, QString(), 0, false},
        {"open a file that is no GPX", panel.openbutton, notGpx, 0, true},
        {"open what was saved", panel.openbutton, saved, 3, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        run.files.Answer = row.answer;
        run.messages.Shown.clear();
        row.button->click();
        EXPECT_EQ(run.Planning().Request().Route.size(), row.points);
        EXPECT_EQ(run.screen->IB1->Route().Points.size(), row.points);
        EXPECT_EQ(run.messages.Shown.size(), row.told ? 1u : 0u);
    }
    EXPECT_EQ(run.files.Asked,
              QStringList({"Save the route", "Open a route", "Open a route", "Open a route"}));
    const std::vector<RoutePoint> opened = run.Planning().Request().Route;
    ASSERT_EQ(opened.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
        EXPECT_EQ(opened[i].Name, made[i].Name);
        EXPECT_EQ(opened[i].Position.Latitude, made[i].Position.Latitude) << i;
        EXPECT_EQ(opened[i].Position.Longitude, made[i].Position.Longitude) << i;
    }
}

} // namespace
} // namespace brenlow
