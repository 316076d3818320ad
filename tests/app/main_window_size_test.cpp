#include "app/main_screen.h"

#include "platform/chart_surface_widget.h"
#include "platform/frameless_window.h"
#include "platform/picture_button.h"
#include "platform/rich_text_panel.h"
#include "support/program_files.h"
#include "support/program_run.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSizeGrip>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

constexpr QSize OwnSize(797, 601);

struct SizeRun : test::ProgramRun
{
    SizeRun() : test::ProgramRun(QStringLiteral("brenlow-size"))
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
    }
};

void Send(QWidget &window, QEvent::Type type, QPoint at, QPoint global)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
}

// Every control but the chart view and the help panel, by its place.
std::vector<std::pair<QWidget *, QRect>> ToolbarOf(MainScreen &screen)
{
    std::vector<std::pair<QWidget *, QRect>> places;
    for (QWidget *control : std::initializer_list<QWidget *>{
             screen.Label1, screen.showinghw, screen.showingtime, screen.timenow, screen.highwater,
             screen.zoomout, screen.hand, screen.zoomin, screen.skipleft, screen.shownow,
             screen.skipright, screen.play, screen.printbt, screen.options, screen.helpbutton,
             screen.minimise, screen.closebutton})
        places.emplace_back(control, control->geometry());
    return places;
}

TEST(MainWindowSize, GrowsFromItsEdgesAndFillsTheScreenOnADoubleClick)
{
    SizeRun run;
    QRect grown;
    {
        MainScreen screen(run.state, run.services);
        ASSERT_TRUE(screen.Load());
        screen.show();
        ASSERT_EQ(screen.size(), OwnSize);
        const auto toolbar = ToolbarOf(screen);
        const auto *grip = screen.findChild<QSizeGrip *>(QStringLiteral("sizegrip"));
        ASSERT_NE(grip, nullptr);
        EXPECT_TRUE(grip->isVisible());
        EXPECT_EQ(grip->geometry().bottomRight(), screen.rect().bottomRight());

        // The right edge dragged 200 to the right, then the bottom edge 150 down.
        const auto drag = [&](QPoint at, QPoint by) {
            const QPoint global = screen.mapToGlobal(at);
            Send(screen, QEvent::MouseButtonPress, at, global);
            Send(screen, QEvent::MouseMove, at + by, global + by);
            Send(screen, QEvent::MouseButtonRelease, at + by, global + by);
        };
        drag(QPoint(OwnSize.width() - 2, 300), QPoint(200, 0));
        drag(QPoint(400, OwnSize.height() - 2), QPoint(0, 150));
        grown = screen.geometry();

        const QRect available = screen.screen()->availableGeometry();
        struct Row
        {
            const char *name;
            std::function<void()> act;
            QSize size;
        };
        const QPoint band(400, 20);
        const auto doubleClick = [&] {
            Send(screen, QEvent::MouseButtonDblClick, band, screen.mapToGlobal(band));
            Send(screen, QEvent::MouseButtonRelease, band, screen.mapToGlobal(band));
        };
        const Row rows[] = {
            {"corner dragged", [] {}, OwnSize + QSize(200, 150)},
            {"double-click on the title band", doubleClick, available.size()},
            {"and again", doubleClick, OwnSize + QSize(200, 150)},
        };
        for (const Row &row : rows) {
            row.act();
            SCOPED_TRACE(row.name);
            EXPECT_EQ(screen.size(), row.size);
            const QSize extra = row.size - OwnSize;
            EXPECT_EQ(screen.IB1->geometry(), QRect(QPoint(11, 98), QSize(780, 497) + extra));
            EXPECT_EQ(screen.RB1->geometry(), QRect(QPoint(18, 101), QSize(763, 487) + extra));
            for (const auto &[control, place] : toolbar)
                EXPECT_EQ(control->geometry(), place) << control->objectName().toStdString();
        }
        screen.close();
    }
    // The next run opens at the size the window was closed at.
    MainScreen again(run.state, run.services);
    EXPECT_EQ(again.size(), grown.size());
}

// Also run on a 1280 x 1024 screen at a pixel ratio of 2 (640 x 512 pixels).
TEST(MainWindowSize, OpensInsideTheScreen)
{
    SizeRun run;
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    const QRect available = screen.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(screen.geometry()))
        << available.width() << "x" << available.height();
    EXPECT_EQ(screen.size(), OwnSize.boundedTo(available.size()));
    EXPECT_TRUE(screen.rect().contains(screen.closebutton->geometry()));

    // A size remembered from a larger screen is brought inside a smaller one.
    screen.PlaceInside(QRect(0, 0, 640, 512));
    EXPECT_EQ(screen.geometry(), QRect(0, 0, 640, 512));
    EXPECT_TRUE(screen.rect().contains(screen.closebutton->geometry()));
    EXPECT_EQ(screen.IB1->geometry(), QRect(11, 98, 780 - 157, 497 - 89));

    struct Row
    {
        const char *name;
        QSize wanted;
        QSize available;
        QSize opened;
    };
    const Row rows[] = {
        {"own size on a desktop", OwnSize, {1280, 1000}, OwnSize},
        {"a larger remembered size", {1000, 800}, {1280, 1000}, {1000, 800}},
        {"too large for the screen", {1600, 1200}, {1280, 1000}, {1280, 1000}},
        {"never below its own size", {400, 300}, {1280, 1000}, OwnSize},
        {"unless the screen is smaller", OwnSize, {640, 512}, {640, 512}},
        {"one pixel short", OwnSize, {797, 600}, {797, 600}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(FittedWindowSize(row.wanted, OwnSize, row.available), row.opened) << row.name;
}

} // namespace
} // namespace brenlow
