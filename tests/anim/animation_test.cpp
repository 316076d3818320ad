#include "anim/animation_player.h"

#include "app/main_screen.h"
#include "core/app_state.h"
#include "platform/chart_surface_widget.h"
#include "platform/picture_button.h"
#include "support/program_files.h"
#include "support/program_run.h"
#include "tide/jump_list_window.h"
#include "tide/step_navigation.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(AnimationInterval, FromTheSpeedBoundedToTheSlider)
{
    const struct
    {
        const char *speed;
        std::int32_t interval;
    } rows[] = {
        {"1", 3200}, {"2", 1800},  {"3", 800},     {"4", 200}, {"5", 200},
        {"0", 3200}, {"-3", 3200}, {"fast", 1800}, {"", 1800}, {" 3 ", 800},
    };
    for (const auto &row : rows)
        EXPECT_EQ(AnimationInterval(QString::fromLatin1(row.speed)), row.interval) << row.speed;
}

// The main window after start-up, with the high waters of the row.
struct PlayingRun : test::ProgramRun
{
    PlayingRun(const QString &highWater1, const QString &highWater2)
        : test::ProgramRun(QStringLiteral("brenlow-anim"))
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
        screen = std::make_unique<MainScreen>(state, services);
        EXPECT_TRUE(screen->Load());
        screen->show();
        state.HighWater1Text = highWater1;
        state.HighWater2Text = highWater2;
    }
    std::unique_ptr<MainScreen> screen;
};

// A key pressed while the main window is the active window (the please-wait window that came
// and went does not hand activation back on the offscreen platform).
void PressKey(MainScreen &screen, Qt::Key key)
{
    QApplication::setActiveWindow(&screen);
    QTest::keyClick(&screen, key);
}

TEST(Animation, PlaysThroughTheTidesKeepingTheView)
{
    struct Row
    {
        const char *name;
        QString highWater1, highWater2;
        std::vector<ShownStep> frames; // after starting at 24 of the first tide
    };
    const Row rows[] = {
        {"both", "10:00", "22:20", {{25, false}, {1, true}, {2, true}}},
        {"first only", "10:00", "", {{25, false}, {1, false}, {2, false}}},
        {"second only", "", "22:20", {{25, true}, {1, true}, {2, true}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        PlayingRun run(row.highWater1, row.highWater2);
        MainScreen &screen = *run.screen;
        run.state.CurrentStep = 24;
        run.state.SecondTideActive = false;
        screen.IB1->SetZoom(49.999968);
        screen.IB1->SetScrollX(300);
        screen.IB1->SetScrollY(200);

        screen.play->click();
        ASSERT_TRUE(screen.Player().Playing());
        EXPECT_TRUE(screen.Timer2->isActive());
        EXPECT_EQ(screen.Timer2->interval(), 1800);
        EXPECT_FALSE(screen.play->isVisible());
        EXPECT_TRUE(screen.StopButton->isVisible());
        EXPECT_FALSE(screen.printbt->isEnabled());
        for (const ShownStep &frame : row.frames) {
            screen.Player().AnimationTick();
            EXPECT_EQ(run.state.CurrentStep, frame.Step);
            EXPECT_EQ(run.state.SecondTideActive, frame.SecondTide);
            EXPECT_EQ(screen.IB1->Zoom(), 49.999968);
            EXPECT_EQ(screen.IB1->ScrollX(), 300);
            EXPECT_EQ(screen.IB1->ScrollY(), 200);
        }
    }
}

TEST(Animation, SkipsWaitWhilePlayingAndStopKeepsTheStep)
{
    PlayingRun run("10:00", "");
    MainScreen &screen = *run.screen;
    run.state.CurrentStep = 5;
    screen.play->click();

    screen.skipright->click();
    screen.skipleft->click();
    PressKey(screen, Qt::Key_Right);
    EXPECT_EQ(run.state.CurrentStep, 5) << "no skip while playing";

    run.state.AnimSpeedText = QStringLiteral("4"); // saved in the options meanwhile
    screen.Player().AnimationTick();
    EXPECT_EQ(screen.Timer2->interval(), 200) << "the new speed from the next frame";

    PressKey(screen, Qt::Key_Space);
    EXPECT_FALSE(screen.Player().Playing());
    EXPECT_FALSE(screen.Timer2->isActive());
    EXPECT_EQ(run.state.CurrentStep, 6);
    EXPECT_EQ(screen.showinghw->text(), "-3.5");
    EXPECT_TRUE(screen.play->isVisible());
    EXPECT_FALSE(screen.StopButton->isVisible());
    EXPECT_TRUE(screen.printbt->isEnabled());

    PressKey(screen, Qt::Key_Left);
    EXPECT_EQ(run.state.CurrentStep, 5) << "keys step again once stopped";
}

// Regression: a frame whose chart picture has gone would have shown a message at every tick.
TEST(Animation, AFrameThatCannotBeDrawnEndsThePlay)
{
    PlayingRun run("10:00", "");
    MainScreen &screen = *run.screen;
    screen.play->click();
    run.messages.Shown.clear();
    QFile::remove(run.state.BackdropPath);
    screen.Player().AnimationTick();
    EXPECT_EQ(run.messages.Shown.size(), 1u);
    EXPECT_FALSE(screen.Player().Playing());
    EXPECT_FALSE(screen.Timer2->isActive());
    EXPECT_TRUE(screen.play->isVisible());
}

TEST(JumpList, OpensOnTheLabelJumpsAndClosesWhenIdle)
{
    PlayingRun run("10:00", "22:20");
    MainScreen &screen = *run.screen;
    run.state.SecondTideActive = true;
    const auto openList = [&] {
        QTest::mouseClick(screen.showinghw, Qt::LeftButton);
        return screen.JumpList();
    };

    for (const char *entry : {"HW", "-6.0", "+6.0", "+0.5", "-0.5"}) {
        hwselect *list = openList();
        ASSERT_NE(list, nullptr) << entry;
        EXPECT_EQ(openList(), list) << "a second click shows the same list";
        const auto items = list->List1->findItems(QString::fromLatin1(entry), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list->List1->itemClicked(items.first());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(run.state.CurrentStep, *JumpListStep(QString::fromLatin1(entry))) << entry;
        EXPECT_TRUE(run.state.SecondTideActive) << "the tide stays";
        EXPECT_EQ(screen.JumpList(), nullptr) << "unloaded after the jump";
    }

    hwselect *list = openList();
    list->Timer1_Timer(); // counted as moved over when loaded
    QWidget *entries = list->List1->viewport();
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 40), entries->mapToGlobal(QPointF(10, 40)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(entries, &move);
    list->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(screen.JumpList(), nullptr) << "still open while the pointer moves";
    list->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(screen.JumpList(), nullptr) << "closed after an idle tick";
}

} // namespace
} // namespace brenlow
