#include "app/disclaimer.h"

#include "app/main_screen.h"
#include "app/startup.h"
#include "core/app_state.h"
#include "core/pointer_shapes.h"
#include "core/settings_store.h"
#include "support/program_files.h"
#include "support/program_run.h"
#include "support/test_platform.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace brenlow {
namespace {

// A run as main() wires it: accepting the disclaimer creates and loads the main window on
// the files of a temporary program folder.
struct DisclaimerRun : test::ProgramRun
{
    DisclaimerRun() : test::ProgramRun(QStringLiteral("brenlow-disclaimer"))
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
        settings.SaveSetting(folder.Info().AppName, "config", "height1", "4.5");
    }

    void CreateMainWindow()
    {
        ++creations;
        mainScreen = std::make_unique<MainScreen>(state, services);
        if (mainScreen->Load())
            mainScreen->show();
    }

    std::unique_ptr<MainScreen> mainScreen;
    int creations = 0;
};

TEST(Disclaimer, ExitEndsTheRunHavingReadNothing)
{
    DisclaimerRun run;
    Disclaimer disclaimer([&run] { run.CreateMainWindow(); });
    disclaimer.show();
    QSignalSpy closed(&disclaimer, &FramelessWindow::Closed);

    disclaimer.saveandexit->click();

    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(disclaimer.isVisible());
    EXPECT_EQ(run.mainScreen, nullptr);
    EXPECT_TRUE(run.state.StationTable.empty());
    EXPECT_TRUE(run.state.Height1Text.isEmpty()); // the stored setting was not read
    EXPECT_TRUE(run.messages.Shown.empty());
}

TEST(Disclaimer, AcceptLoadsTheDataWhileTheTermsAreStillShown)
{
    DisclaimerRun run;
    Disclaimer disclaimer([&run] { run.CreateMainWindow(); });
    disclaimer.show();
    bool termsShownDuringWarning = false;
    run.messages.OnShow = [&](const test::ShownMessage &) {
        termsShownDuringWarning = disclaimer.isVisible();
        disclaimer.ARButton1->click(); // an impatient second click while start-up runs
    };

    disclaimer.ARButton1->click();

    ASSERT_NE(run.mainScreen, nullptr);
    EXPECT_EQ(run.creations, 1);
    EXPECT_TRUE(run.mainScreen->isVisible());
    EXPECT_FALSE(disclaimer.isVisible());
    EXPECT_EQ(run.state.StationTable.size(), 2u);
    EXPECT_EQ(run.state.Height1Text, QStringLiteral("4.5"));
    EXPECT_EQ(run.state.CurrentStep, 13);
    // The plain test database's warning came while the terms were on the screen.
    ASSERT_EQ(run.messages.Shown.size(), 1u);
    EXPECT_EQ(run.messages.Shown[0].Text, QStringLiteral("Warning Flow database is not Encrypted"));
    EXPECT_TRUE(termsShownDuringWarning);
}

TEST(Disclaimer, TermsAreDrawnOnTheBackground)
{
    const QImage picture = PaintDisclaimerBackground().toImage();
    ASSERT_EQ(picture.size(), Disclaimer::ClientSize);
    // Dark text pixels in the body where the terms are written.
    int ink = 0;
    for (int y = 76; y < 200; ++y)
        for (int x = 24; x < 360; ++x)
            ink += qGray(picture.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(ink, 500);
}

} // namespace
} // namespace brenlow
