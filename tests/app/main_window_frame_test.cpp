#include "app/app_state.h"
#include "app/main_screen.h"
#include "app/startup.h"
#include "options/options_window.h"
#include "platform/chart_surface_widget.h"
#include "platform/picture_button.h"
#include "platform/pointer_shapes.h"
#include "platform/settings_store.h"
#include "support/program_files.h"
#include "support/test_platform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

struct MainWindowRun
{
    MainWindowRun() : services{folder.Info(), settings, messages, clock, pointers}
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
    }

    test::TempProgramFolder folder{QStringLiteral("brenlow-main-frame")};
    QtSettingsStore settings;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock{QTime(12, 0)};
    QtPointerShapes pointers;
    AppServices services;
    AppState state;
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

} // namespace
} // namespace brenlow
