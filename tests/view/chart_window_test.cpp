#include "app/main_screen.h"

#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "platform/chart_surface_widget.h"
#include "platform/picture_button.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/rich_text_panel.h"
#include "support/pointer_shape.h"
#include "support/program_files.h"
#include "support/program_run.h"
#include "tide/clock_tick.h"
#include "view/map_window.h"
#include "view/pointer_modes.h"
#include "view/station_info.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace brenlow {
namespace {

// Picture pixels of chart positions, as the chart draws them.
const double Level[] = {0, 14 * ChartScale, 36 * ChartScale, 54 * ChartScale, 72 * ChartScale};

// The main window on a folder with the real cursor files, a station off Cowes, and a harbour
// plan whose spot also covers a second station.
struct ChartRun : test::ProgramRun
{
    ChartRun() : test::ProgramRun(QStringLiteral("brenlow-view"))
    {
        test::StationFields cowes = test::SteadyStation("1.5", "90");
        cowes.Title = "Cowes";
        cowes.Description = "Strong off the Green";
        test::StationFields harbour = test::SteadyStation("0.5", "200");
        harbour.Longitude = "001 09.50W";
        harbour.Latitude = "50 47.50N";
        test::WriteInstallation(folder, {test::StationLine(cowes), test::StationLine(harbour)});
        folder.WriteFile(
            "temp2.bmp",
            "\"001 10.00W\",\"50 48.00N\",\"001 09.00W\",\"50 47.00N\",\"plan.png\"\r\n");
        QImage plan(620, 431, QImage::Format_RGB32);
        plan.fill(Qt::darkGreen);
        plan.save(folder.FilePath("plan.png"));
        for (const char *cursor : {"handopen.cur", "handshut.cur", "camera.cur"})
            folder.CopyFromBuiltProgram(QString::fromLatin1(cursor));
        screen = std::make_unique<MainScreen>(state, services);
        EXPECT_TRUE(screen->Load());
        screen->show();
    }

    void Mouse(QEvent::Type type, QPoint at) { test::SendLeftMouse(*screen->IB1, type, at); }
    // The view pixel of a picture pixel at the present zoom and scroll.
    QPoint ViewOf(QPointF picture) const
    {
        const double z = screen->IB1->Zoom() / 100;
        return QPoint(qRound(picture.x() * z) - screen->IB1->ScrollX(),
                      qRound(picture.y() * z) - screen->IB1->ScrollY());
    }
    QPointF StationPicture(int i) const
    {
        const StationRecord &s = state.StationTable[i];
        return QPointF(PictureX(state, s.ChartX), PictureY(state, s.ChartY));
    }

    std::unique_ptr<MainScreen> screen;
};

TEST(ZoomLadder, ButtonsWheelAndKeysWalkTheFourLevels)
{
    ChartRun run;
    MainScreen &screen = *run.screen;
    const auto wheel = [&](int notches) {
        QWheelEvent event(QPointF(100, 100), screen.IB1->mapToGlobal(QPointF(100, 100)), {},
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(screen.IB1, &event);
    };
    const auto key = [&](Qt::Key k) {
        QApplication::setActiveWindow(&screen);
        QTest::keyClick(&screen, k);
    };
    struct Row
    {
        const char *name;
        std::function<void()> act;
        int level; // after the act
    };
    const Row rows[] = {
        {"zoom in", [&] { screen.zoomin->click(); }, 2},
        {"zoom in", [&] { screen.zoomin->click(); }, 3},
        {"zoom in", [&] { screen.zoomin->click(); }, 4},
        {"no rung above the top", [&] { screen.zoomin->click(); }, 4},
        {"zoom out", [&] { screen.zoomout->click(); }, 3},
        {"two wheel notches down", [&] { wheel(-2); }, 1},
        {"no rung below the bottom", [&] { screen.zoomout->click(); }, 1},
        {"wheel notch up", [&] { wheel(1); }, 2},
        {"plus key", [&] { key(Qt::Key_Plus); }, 3},
        {"minus key", [&] { key(Qt::Key_Minus); }, 2},
    };
    for (const Row &row : rows) {
        screen.IB1->SetScrollX(56);
        screen.IB1->SetScrollY(83);
        const double before = screen.IB1->Zoom();
        row.act();
        EXPECT_EQ(screen.IB1->Zoom(), Level[row.level]) << row.name;
        // Buttons and keys leave the offsets; the wheel keeps the point under the pointer at
        // (100, 100), as far as the offsets reach (none below 0).
        const bool byWheel = QString::fromLatin1(row.name).contains(QLatin1String("wheel"));
        const double ratio = screen.IB1->Zoom() / before;
        const auto kept = [&](int offset) {
            return byWheel ? std::max(0, int(std::lround((offset + 100) * ratio - 100))) : offset;
        };
        EXPECT_EQ(screen.IB1->ScrollX(), kept(56)) << row.name;
        EXPECT_EQ(screen.IB1->ScrollY(), kept(83)) << row.name;
    }
    screen.IB1->SetZoom(33);
    screen.zoomin->click();
    screen.zoomout->click();
    EXPECT_EQ(screen.IB1->Zoom(), 33) << "a zoom that is no level stays";
}

TEST(PointerModesTest, PanModeDragsAndEndsWhenIdle)
{
    ChartRun run;
    MainScreen &screen = *run.screen;
    PointerModes &modes = screen.Pointer();
    screen.IB1->SetZoom(Level[4]);
    screen.IB1->SetScrollX(1000);
    screen.IB1->SetScrollY(900);
    const QPoint empty(50, 400); // open sea at 100 %: no station, no spot
    struct Row
    {
        const char *name;
        std::function<void()> act;
        std::int16_t mode;
        std::int32_t dragtimer;
        Qt::CursorShape shape; // BitmapCursor: a cursor file
        QPoint scroll;
    };
    const Row rows[] = {
        {"hand on", [&] { screen.hand->click(); }, PanMode, 8, Qt::BitmapCursor, {1000, 900}},
        {"tick", [&] { screen.Clock().Tick(); }, PanMode, 7, Qt::BitmapCursor, {1000, 900}},
        {"press",
         [&] { run.Mouse(QEvent::MouseButtonPress, empty); },
         PanDragging,
         7,
         Qt::BitmapCursor,
         {1000, 900}},
        {"drag 10 right 5 down",
         [&] { run.Mouse(QEvent::MouseMove, empty + QPoint(10, 5)); },
         PanDragging,
         7,
         Qt::BitmapCursor,
         {990, 895}},
        {"no countdown while dragging",
         [&] { screen.Clock().Tick(); },
         PanDragging,
         7,
         Qt::BitmapCursor,
         {990, 895}},
        {"release",
         [&] { run.Mouse(QEvent::MouseButtonRelease, empty + QPoint(10, 5)); },
         PanMode,
         8,
         Qt::BitmapCursor,
         {990, 895}},
        {"hand off", [&] { screen.hand->click(); }, NormalMode, 8, Qt::CustomCursor, {990, 895}},
        {"press in normal mode",
         [&] { run.Mouse(QEvent::MouseButtonPress, empty); },
         NormalMode,
         8,
         Qt::CustomCursor,
         {990, 895}},
        {"move in normal mode",
         [&] { run.Mouse(QEvent::MouseMove, empty); },
         NormalMode,
         8,
         Qt::ArrowCursor,
         {990, 895}},
        {"hand on again", [&] { screen.hand->click(); }, PanMode, 8, Qt::BitmapCursor, {990, 895}},
        {"seven ticks",
         [&] {
             for (int i = 0; i < 7; ++i)
                 screen.Clock().Tick();
         },
         PanMode,
         1,
         Qt::BitmapCursor,
         {990, 895}},
        {"the eighth ends it",
         [&] { screen.Clock().Tick(); },
         NormalMode,
         0,
         Qt::CustomCursor,
         {990, 895}},
    };
    for (const Row &row : rows) {
        row.act();
        EXPECT_EQ(modes.mouse_state, row.mode) << row.name;
        EXPECT_EQ(modes.dragtimer, row.dragtimer) << row.name;
        EXPECT_EQ(test::ShownShape(), row.shape) << row.name;
        EXPECT_EQ(QPoint(screen.IB1->ScrollX(), screen.IB1->ScrollY()), row.scroll) << row.name;
    }
}

TEST(StationPanel, ShownWhileHeldAndHelpSwapsWithTheChart)
{
    ChartRun run;
    MainScreen &screen = *run.screen;
    const QPoint station = run.ViewOf(run.StationPicture(1));
    run.Mouse(QEvent::MouseMove, station);
    EXPECT_EQ(test::ShownShape(), Qt::WhatsThisCursor);
    run.Mouse(QEvent::MouseButtonPress, station);
    EXPECT_TRUE(screen.RichTextBox1->isVisible());
    EXPECT_TRUE(screen.RichTextBox1->toPlainText().startsWith("Cowes\nStrong off the Green"))
        << screen.RichTextBox1->toPlainText().toStdString();
    run.Mouse(QEvent::MouseButtonRelease, QPoint(5, 5)); // released elsewhere
    EXPECT_FALSE(screen.RichTextBox1->isVisible());

    screen.zoomin->click();
    screen.helpbutton->click();
    EXPECT_TRUE(screen.RB1->isVisible());
    EXPECT_FALSE(screen.IB1->isVisible());
    screen.helpbutton->click();
    EXPECT_FALSE(screen.RB1->isVisible());
    EXPECT_TRUE(screen.IB1->isVisible());
    EXPECT_EQ(screen.IB1->Zoom(), Level[2]);
    EXPECT_EQ(QPoint(screen.IB1->ScrollX(), screen.IB1->ScrollY()), QPoint(56, 83));
}

// Guards: the panel was shown under the tool band's buttons and labels, made after it.
TEST(StationPanel, ShownAboveEveryControlOfTheToolBand)
{
    ChartRun run;
    MainScreen &screen = *run.screen;
    screen.play->click(); // the stop button takes the play button's place
    const QPoint station = run.ViewOf(run.StationPicture(1));
    run.Mouse(QEvent::MouseMove, station);
    run.Mouse(QEvent::MouseButtonPress, station);
    ASSERT_TRUE(screen.RichTextBox1->isVisible());
    const QRect panel = screen.RichTextBox1->geometry();
    const std::pair<const char *, QWidget *> controls[] = {
        {"skipleft", screen.skipleft},       {"shownow", screen.shownow},
        {"skipright", screen.skipright},     {"StopButton", screen.StopButton},
        {"showingtime", screen.showingtime}, {"showinghw", screen.showinghw},
        {"Label1", screen.Label1},
    };
    for (const auto &[name, control] : controls) {
        const QRect overlap = control->geometry() & panel;
        ASSERT_FALSE(overlap.isEmpty()) << name;
        QWidget *top = screen.childAt(overlap.center());
        EXPECT_TRUE(top == screen.RichTextBox1 || screen.RichTextBox1->isAncestorOf(top)) << name;
    }
    screen.StopButton->click();
}

// Guards: keys and the wheel zoomed under a still pointer, which kept the spot it had been
// over, so a click opened a plan over open water.
TEST(MapWindow, AZoomUnderAStillPointerLooksUpTheSpotAgain)
{
    ChartRun run;
    MainScreen &screen = *run.screen;
    const auto wheelUp = [&](QPoint at) {
        QWheelEvent event(QPointF(at), screen.IB1->mapToGlobal(QPointF(at)), {}, QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(screen.IB1, &event);
    };
    const auto plusKeys = [&](QPoint, int times) {
        QApplication::setActiveWindow(&screen);
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&screen, Qt::Key_Plus);
    };
    struct Row
    {
        const char *name;
        std::function<void(QPoint)> zoom;
    };
    const Row rows[] = {
        {"plus key three times", [&](QPoint at) { plusKeys(at, 3); }},
        {"plus key once", [&](QPoint at) { plusKeys(at, 1); }},
        {"wheel notch up", wheelUp},
    };
    for (const Row &row : rows) {
        screen.IB1->SetZoom(Level[1]);
        const QPoint spot = run.ViewOf(run.StationPicture(2));
        QCursor::setPos(screen.IB1->mapToGlobal(spot));
        run.Mouse(QEvent::MouseMove, spot);
        ASSERT_EQ(run.state.HoverPictureSpot, 1) << row.name;
        row.zoom(spot);
        ASSERT_NE(screen.IB1->Zoom(), Level[1]) << row.name;
        const PicturePoint now = PointerToPicture(*screen.IB1, spot.x(), spot.y());
        const PictureSpot &area = run.state.PictureSpotTable[1];
        const bool inside = PictureX(run.state, area.Left) <= now.X
            && now.X <= PictureX(run.state, area.Right) && PictureY(run.state, area.Top) <= now.Y
            && now.Y <= PictureY(run.state, area.Bottom);
        EXPECT_EQ(run.state.HoverPictureSpot, inside ? 1 : 0) << row.name;
    }
    EXPECT_EQ(run.state.HoverPictureSpot, 1) << "the wheel keeps the spot under the pointer";
}

TEST(MapWindow, APressOnASpotOpensItsPlanEvenOverAStation)
{
    ChartRun run;
    MainScreen &screen = *run.screen;
    const QPoint spot = run.ViewOf(run.StationPicture(2)); // a station inside the spot
    QStringList shown;
    for (int press = 0; press < 2; ++press) {
        QTimer::singleShot(0, [&] {
            auto *map = qobject_cast<Map *>(QApplication::activeModalWidget());
            ASSERT_NE(map, nullptr);
            const QPixmap plan = map->Picture1->pixmap();
            shown << (plan.isNull() ? map->Picture1->text()
                                    : QColor(plan.toImage().pixel(300, 200)).name());
            map->closebutton->click();
        });
        run.Mouse(QEvent::MouseMove, spot);
        EXPECT_EQ(test::ShownShape(), Qt::WhatsThisCursor) << "the station's shape over the camera";
        run.Mouse(QEvent::MouseButtonPress, spot);
        run.Mouse(QEvent::MouseButtonRelease, spot);
        EXPECT_FALSE(screen.RichTextBox1->isVisible());
        EXPECT_EQ(run.state.MapPictureSpot, 1);
    }
    EXPECT_EQ(shown, QStringList({"#008000", "#008000"}));
}

// Regression: a cut BMP plan showed as half a picture, and a FIFO in its place hung the window.
TEST(MapWindow, PlansThatCannotBeShownWhole)
{
    test::TempProgramFolder folder;
    QImage plan(200, 100, QImage::Format_RGB32);
    plan.fill(Qt::darkGreen);
    ASSERT_TRUE(plan.save(folder.FilePath("whole.bmp")));
    ASSERT_TRUE(plan.save(folder.FilePath("whole.png")));
    const QByteArray bmp = folder.ReadFile("whole.bmp");
    const QByteArray png = folder.ReadFile("whole.png");
    folder.WriteFile("cut.bmp", bmp.left(bmp.size() / 2));
    folder.WriteFile("cut.png", png.left(png.size() / 2));
    const test::FifoGuard fifo(folder.FilePath("fifo.png"));
    for (const char *file : {"gone.png", "cut.bmp", "cut.png", "fifo.png"}) {
        const Map map(folder.Info(), PictureSpot{0, 0, 0, 0, file});
        EXPECT_TRUE(map.Picture1->pixmap().isNull()) << file;
        EXPECT_EQ(map.Picture1->text(), QStringLiteral("Picture not available: ") + file);
    }
    EXPECT_FALSE(fifo.Released()) << "the window waited on the FIFO";
    const Map whole(folder.Info(), PictureSpot{0, 0, 0, 0, "whole.bmp"});
    EXPECT_EQ(QColor(whole.Picture1->pixmap().toImage().pixel(100, 50)), QColor(Qt::darkGreen));
}

} // namespace
} // namespace brenlow
