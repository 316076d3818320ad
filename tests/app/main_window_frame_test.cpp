#include "app/main_screen.h"

#include "app/startup.h"
#include "core/app_state.h"
#include "core/pointer_shapes.h"
#include "core/settings_store.h"
#include "core/step_view.h"
#include "options/options_window.h"
#include "platform/chart_surface_widget.h"
#include "platform/picture_button.h"
#include "platform/please_wait_window.h"
#include "platform/rich_text_panel.h"
#include "platform/twips.h"
#include "support/program_files.h"
#include "support/program_run.h"
#include "support/test_platform.h"
#include "tide/clock_tick.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace brenlow {
namespace {

struct MainWindowRun : test::ProgramRun
{
    MainWindowRun() : test::ProgramRun(QStringLiteral("brenlow-main-frame"))
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
    }
};

TEST(MainWindowFrame, DraggedByItsTitleBand)
{
    MainWindowRun run;
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    screen.show();
    const QPoint start = screen.pos();
    const QPoint pressAt(400, 20);
    QMouseEvent press(QEvent::MouseButtonPress, pressAt, screen.mapToGlobal(pressAt),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&screen, &press);
    const QPoint to = start + pressAt + QPoint(100, 30);
    QMouseEvent move(QEvent::MouseMove, to - screen.pos(), to, Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&screen, &move);
    EXPECT_EQ(screen.pos(), start + QPoint(100, 30));
}

TEST(MainWindowFrame, OptionsButtonSavesAndRedrawsAtTheCoveringStep)
{
    MainWindowRun run;
    run.clock.Time = QTime(12, 0);
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    screen.show();
    ASSERT_EQ(run.state.CurrentStep, 13);

    bool centred = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto *options = qobject_cast<OptionsScreen *>(QApplication::activeModalWidget())) {
            timer.stop();
            centred = options->frameGeometry().center() == screen.frameGeometry().center();
            options->highwater1->setText(QStringLiteral("11:00"));
            options->saveandexit->click();
        }
    });
    timer.start(10);
    screen.options->click();

    EXPECT_TRUE(centred);
    EXPECT_EQ(run.state.HighWater1Text, QStringLiteral("11:00"));
    EXPECT_EQ(run.settings.GetSetting(run.folder.Info().AppName, "config", "highwater1", ""),
              QStringLiteral("11:00"));
    // The step stays; the labels are redrawn from the new high water at once.
    EXPECT_EQ(run.state.CurrentStep, 13);
    EXPECT_EQ(screen.showingtime->text(), QStringLiteral("11:00:00"));
    EXPECT_FALSE(screen.IB1->DisplayList().empty());
}

// Every control at its place, with its tooltip and its visibility at start.
TEST(MainWindowFrame, ControlsAtTheirPlaces)
{
    MainWindowRun run;
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    struct Row
    {
        const char *name;
        QWidget *control;
        QRect geometry;
        const char *tooltip;
        bool visible;
    };
    const Row rows[] = {
        {"IB1", screen.IB1, {11, 98, 780, 497}, "", true},
        {"RB1", screen.RB1, {18, 101, 763, 487}, "Brenlow FAQ", false},
        {"RichTextBox1", screen.RichTextBox1, {187, 14, 354, 83}, "", false},
        {"Label1", screen.Label1, {182, 14, 205, 19}, "", true},
        {"showinghw", screen.showinghw, {443, 68, 34, 13}, "CLICK for JUMP TO", true},
        {"showingtime", screen.showingtime, {373, 69, 44, 13}, "", true},
        {"timenow", screen.timenow, {722, 55, 44, 13}, "", true},
        {"highwater", screen.highwater, {722, 69, 45, 13}, "", true},
        {"zoomout", screen.zoomout, {26, 44, 49, 45}, "Zoom out by 200%", true},
        {"hand", screen.hand, {79, 44, 46, 44}, "Select Pan mode to scroll around map", true},
        {"zoomin", screen.zoomin, {131, 43, 46, 44}, "Zoom in by 200%", true},
        {"skipleft", screen.skipleft, {196, 46, 51, 42}, "Previous HW time in 30 minuites", true},
        {"shownow", screen.shownow, {250, 44, 50, 43}, "Goto HW at current time", true},
        {"skipright", screen.skipright, {305, 45, 50, 44}, "Next HW time in 30 minuites", true},
        {"play", screen.play, {483, 44, 50, 43}, "Play HW animation in 30 minuite steps", true},
        {"StopButton", screen.StopButton, {483, 44, 50, 45}, "", false},
        {"printbt", screen.printbt, {551, 46, 50, 42}, "Print window", true},
        {"options", screen.options, {604, 46, 49, 42}, "Options window", true},
        {"helpbutton", screen.helpbutton, {648, 16, 42, 15}, "Help toggle button", true},
        {"minimise", screen.minimise, {705, 14, 25, 17}, "Minimise", true},
        {"closebutton", screen.closebutton, {731, 14, 23, 18}, "Close Brenlow", true},
    };
    EXPECT_EQ(screen.size(), QSize(797, 601));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.control->geometry(), row.geometry);
        EXPECT_EQ(row.control->toolTip(), QLatin1String(row.tooltip));
        EXPECT_EQ(row.control->isVisibleTo(&screen), row.visible);
    }
    EXPECT_EQ(screen.showinghw->text(), "0.0"); // drawn at high water by the start-up
}

// Guards: the clock ignored the user's time format; a 12-hour one must still fit its label.
TEST(MainWindowFrame, ClockShowsTheUsersTimeFormatInsideItsLabel)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MainWindowRun run;
    run.clock.Time = QTime(22, 48, 5);
    MainScreen screen(run.state, run.services);
    QLocale::setDefault(before);
    ASSERT_TRUE(screen.Load());
    screen.Clock().Tick();
    const QLabel &clock = *screen.timenow;
    EXPECT_TRUE(clock.text().startsWith(QStringLiteral("10:48:05"))) << clock.text().toStdString();
    EXPECT_TRUE(clock.text().endsWith(QStringLiteral("PM"))) << clock.text().toStdString();
    EXPECT_LE(QFontMetrics(clock.font()).horizontalAdvance(clock.text()), clock.width());
    EXPECT_EQ(clock.geometry(), QRect(722, 55, 44, 13));
}

TEST(MainWindowFrame, PleaseWaitSitsOverTheToolBand)
{
    MainWindowRun run;
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    screen.move(100, 80);
    screen.show();

    const auto pleaseWaitWindows = [] {
        QList<PleaseWaitWindow *> found;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<PleaseWaitWindow *>(widget);
                window && window->isVisible())
                found.append(window);
        return found;
    };
    screen.View().ShowPleaseWait();
    const QList<PleaseWaitWindow *> shown = pleaseWaitWindows();
    ASSERT_EQ(shown.size(), 1);
    // 2950 twips right and 600 twips down; 5085 x 780 twips in all.
    const double tppX = TwipsPerPixelX(&screen);
    const double tppY = TwipsPerPixelY(&screen);
    EXPECT_EQ(shown[0]->pos(),
              screen.frameGeometry().topLeft()
                  + QPoint(int(std::lrint(2950 / tppX)), int(std::lrint(600 / tppY))));
    EXPECT_EQ(shown[0]->size(), QSize(int(std::lrint(5085 / tppX)), int(std::lrint(780 / tppY))));
    const QLabel *label = shown[0]->findChild<QLabel *>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Please wait..."));

    screen.View().ClosePleaseWait();
    EXPECT_TRUE(pleaseWaitWindows().isEmpty());
}

} // namespace
} // namespace brenlow
