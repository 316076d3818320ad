#include "options/options_window.h"

#include "options/day_high_waters.h"
#include "options/stored_options.h"

#include "core/app_state.h"
#include "platform/browser.h"
#include "platform/qt_settings_store.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace brenlow {
namespace {

class NoBrowser : public Browser
{
public:
    std::optional<AssociatedProgram> FindAssociatedProgram(const QString &) override { return {}; }
    bool StartProgram(const AssociatedProgram &, const QString &) override { return false; }
};

// The options window opened from a main window whose chart holds one station on a plain
// picture, with the zoom and scroll position the user had chosen.
class OptionsRedrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state.BackdropPath = folder.FilePath(QStringLiteral("backdrop.bmp"));
        test::WriteBlankPicture(state.BackdropPath, 600, 500);
        test::SetOneStationChart(state, 200, 150, 2.0, 90, 2.0);
        state.CurrentStep = 9;

        view.surface.LoadImageFile(state.BackdropPath);
        view.surface.SetZoom(150);
        view.surface.SetScrollX(120);
        view.surface.SetScrollY(40);
        view.log.clear();
        mainWindow.setGeometry(100, 100, 797, 601);
        mainWindow.show();
    }

    // Acts on the options window once it is up over the main window.
    void WhenOptionsOpen(std::function<void(OptionsScreen &)> act)
    {
        auto *timer = new QTimer(&mainWindow);
        QObject::connect(timer, &QTimer::timeout, [this, timer, act] {
            if (auto *screen = qobject_cast<OptionsScreen *>(QApplication::activeModalWidget())) {
                timer->stop();
                centredOverMain =
                    screen->frameGeometry().center() == mainWindow.frameGeometry().center();
                act(*screen);
            }
        });
        timer->start(10);
    }

    test::TempProgramFolder folder{QStringLiteral("options-redraw-test")};
    test::RecordingMessageBoxes messages;
    AppState state;
    QtSettingsStore settings;
    NoBrowser browser;
    test::FixedClock clock;
    DayHighWaters highWaters{settings, folder.Info(), clock};
    OptionsServices services{settings, folder.Info(), messages, browser, highWaters};
    QWidget mainWindow;
    test::TestStepView view;
    bool centredOverMain = false;
};

TEST_F(OptionsRedrawTest, ClosingWithoutSavingStillRedrawsTheSameStep)
{
    WhenOptionsOpen([](OptionsScreen &screen) {
        screen.highwater1->setText(QStringLiteral("10:00"));
        screen.closebutton->click();
    });

    OpenOptionsWindow(mainWindow, view, state, services);

    EXPECT_TRUE(centredOverMain);
    EXPECT_EQ(view.log, QStringList({"show please-wait", "load", "close please-wait"}));
    EXPECT_FALSE(view.surface.DisplayList().empty());
    EXPECT_EQ(view.labels.ShowingHw, QStringLiteral("-2.0"));
    EXPECT_EQ(state.CurrentStep, 9);
    EXPECT_EQ(state.HighWater1Text, QString());
    EXPECT_EQ(view.surface.Zoom(), 150);
    EXPECT_EQ(view.surface.ScrollX(), 120);
    EXPECT_EQ(view.surface.ScrollY(), 40);
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(OptionsRedrawTest, SavedHighWaterShowsAtOnce)
{
    WhenOptionsOpen([](OptionsScreen &screen) {
        screen.highwater1->setText(QStringLiteral("10:00"));
        screen.saveandexit->click();
    });

    OpenOptionsWindow(mainWindow, view, state, services);

    EXPECT_EQ(state.HighWater1Text, QStringLiteral("10:00"));
    EXPECT_TRUE(view.labels.HighWater.startsWith(QStringLiteral("10:00")))
        << view.labels.HighWater.toStdString();
    EXPECT_TRUE(view.labels.ShowingTime.startsWith(QStringLiteral("08:00")))
        << view.labels.ShowingTime.toStdString();
    EXPECT_EQ(view.log, QStringList({"show please-wait", "load", "close please-wait"}));
}

// Guards: clearing the second high water while its tide was shown left the steps counted from
// it, so "From HW" moved while "Stream time" stayed.
TEST_F(OptionsRedrawTest, ClearingTheShownSecondHighWaterShowsTheFirstTide)
{
    ASSERT_FALSE(WriteOptions(settings, folder.Info().AppName,
                              StoredOptions{"10:00", "22:20", "", "", "", "2"}));
    ReadOptionsIntoState(state, settings, folder.Info().AppName, QString());
    state.SecondTideActive = true;
    WhenOptionsOpen([](OptionsScreen &screen) {
        screen.highwater2->clear();
        screen.saveandexit->click();
    });

    OpenOptionsWindow(mainWindow, view, state, services);

    EXPECT_FALSE(state.SecondTideActive);
    EXPECT_EQ(view.labels.HighWater, QStringLiteral("10:00:00"));
    EXPECT_EQ(view.labels.ShowingTime, QStringLiteral("08:00:00"));
}

// Guards: under a comma locale "4,5" passed the check and was then read as 4.
TEST_F(OptionsRedrawTest, NumbersAreStoredAndReadInTheFormTheChartReads)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_FALSE(WriteOptions(settings, folder.Info().AppName,
                              StoredOptions{"", "", "", "3,9", "1013,5", "2"}));
    WhenOptionsOpen([](OptionsScreen &screen) {
        screen.height1->setText(QStringLiteral("4,5"));
        screen.saveandexit->click();
    });

    OpenOptionsWindow(mainWindow, view, state, services);
    QLocale::setDefault(before);

    const QString app = folder.Info().AppName;
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_EQ(settings.GetSetting(app, "config", "height1", ""), QStringLiteral("4.5"));
    EXPECT_EQ(state.Height1Text, QStringLiteral("4.5"));
    EXPECT_EQ(state.Height2Text, QStringLiteral("3.9")) << "an older stored comma height";
    EXPECT_EQ(state.PressureText, QStringLiteral("1013.5"));
    // Read back under a point locale, the older comma value still means the same.
    ReadOptionsIntoState(state, settings, app, QString());
    EXPECT_EQ(state.Height2Text, QStringLiteral("3.9"));
}

} // namespace
} // namespace brenlow
