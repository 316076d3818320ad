#include "app/startup.h"

#include "app/main_screen.h"
#include "core/app_state.h"
#include "core/pointer_shapes.h"
#include "data/auxiliary_files.h"
#include "data/flow_database_files.h"
#include "platform/chart_surface_widget.h"
#include "platform/qt_settings_store.h"
#include "platform/rich_text_panel.h"
#include "support/program_files.h"
#include "support/program_run.h"
#include "support/test_platform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

// A start-up as the program runs it, on files in a temporary program folder.
struct StartupRun : test::ProgramRun
{
    StartupRun() : test::ProgramRun(QStringLiteral("brenlow-startup")) { }
};

QList<QByteArray> TwoStations()
{
    return {test::StationLine(test::SteadyStation("1.5", "90")),
            test::StationLine(test::SteadyStation("2.5", "200"))};
}

TEST(Startup, FirstRunSettings)
{
    QtSettingsStore settings;
    AppState state;
    ReadStartupSettings(state, settings, QStringLiteral("first-run"));
    EXPECT_EQ(state.AnimSpeedText, "2");
    for (const QString *text : {&state.HighWater1Text, &state.HighWater2Text, &state.Height1Text,
                                &state.Height2Text, &state.PressureText})
        EXPECT_TRUE(text->isEmpty());
}

TEST(Startup, StoredSettingsAreReadAsStored)
{
    QtSettingsStore settings;
    const QString app = QStringLiteral("stored-run");
    settings.SaveSetting(app, "config", "highwater1", "10:15");
    settings.SaveSetting(app, "config", "highwater2", "22:40");
    settings.SaveSetting(app, "config", "height1", "4.5");
    settings.SaveSetting(app, "config", "height2", "3.9");
    settings.SaveSetting(app, "config", "pressure", "1013");
    settings.SaveSetting(app, "config", "animspeed", ""); // stored empty: not the default
    AppState state;
    ReadStartupSettings(state, settings, app);
    EXPECT_EQ(state.HighWater1Text, "10:15");
    EXPECT_EQ(state.HighWater2Text, "22:40");
    EXPECT_EQ(state.Height1Text, "4.5");
    EXPECT_EQ(state.Height2Text, "3.9");
    EXPECT_EQ(state.PressureText, "1013");
    EXPECT_EQ(state.AnimSpeedText, "");
}

TEST(Startup, OpensAtHighWaterWhenNoTimeIsStored)
{
    StartupRun run;
    test::WriteInstallation(run.folder, TwoStations());
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());

    EXPECT_EQ(run.state.CurrentStep, 13);
    EXPECT_EQ(run.state.StationTable.size(), 3u); // element 0 and two stations
    EXPECT_EQ(run.state.RateTableColumns, 17);
    EXPECT_EQ(run.state.BackdropPath, run.folder.FilePath("backdrop.bmp"));
    EXPECT_EQ(screen.IB1->Zoom(), 19.444432);
    EXPECT_EQ(screen.IB1->ScrollX(), 56);
    EXPECT_EQ(screen.IB1->ScrollY(), 83);
    EXPECT_FALSE(screen.IB1->DisplayList().empty()); // the arrows of step 13
    EXPECT_EQ(screen.showinghw->text(), "0.0");
    EXPECT_EQ(screen.showingtime->text(), "N/A");
    EXPECT_TRUE(screen.RB1->toPlainText().contains("Brenlow help"));
    EXPECT_FALSE(screen.RB1->isVisibleTo(&screen));
    EXPECT_FALSE(screen.isVisible());

    // The plain test database is accepted after its warning, the only message.
    ASSERT_EQ(run.messages.Shown.size(), 1u);
    EXPECT_EQ(run.messages.Shown[0].Text, "Warning Flow database is not Encrypted");
    EXPECT_EQ(run.messages.Shown[0].Title, "Brenlow");
}

TEST(Startup, OpensAtTheStepThatCoversThePresentTime)
{
    StartupRun run;
    test::WriteInstallation(run.folder, TwoStations());
    run.settings.SaveSetting(run.folder.Info().AppName, "config", "highwater1", "14:30");
    run.clock.Time = QTime(14, 45);
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    EXPECT_EQ(run.state.CurrentStep, 14);
    EXPECT_FALSE(run.state.SecondTideActive);
    EXPECT_EQ(screen.showingtime->text(), "15:00:00");
    // The initial view is set afterwards all the same.
    EXPECT_EQ(screen.IB1->Zoom(), 19.444432);
    EXPECT_EQ(screen.IB1->ScrollX(), 56);
    EXPECT_EQ(screen.IB1->ScrollY(), 83);
}

TEST(Startup, VersionLabelOnActivation)
{
    StartupRun run;
    test::WriteInstallation(run.folder, TwoStations());
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&screen, &activate);
    EXPECT_EQ(screen.Label1->text(), VersionText());
    EXPECT_TRUE(VersionText().contains(QRegularExpression("^\\d+\\.\\d+\\.\\d+$")));
}

TEST(Startup, FatalReportHasThreeLines)
{
    const AppError error(ErrorNumber::FileNotFound, "File not found: help.rtf", "Brenlow");
    EXPECT_EQ(FatalErrorText(error),
              "Fatal Error Running Brenlow\r\n"
              "File not found: help.rtf Brenlow 53\r\n"
              "Please contact Brenlow support@brenlow.example.");
}

// Every way a start-up can fail ends in the fatal report naming the number and the file.
TEST(Startup, FailuresEndInTheFatalReport)
{
    struct Row
    {
        const char *name;
        std::function<void(const test::TempProgramFolder &)> spoil;
        int number;
        const char *named; // what the description must name
    };
    const auto remove = [](const char *file) {
        return
            [file](const test::TempProgramFolder &folder) { QFile::remove(folder.FilePath(file)); };
    };
    const auto write = [](const char *file, QByteArray content) {
        return [file, content](const test::TempProgramFolder &folder) {
            folder.WriteFile(file, content);
        };
    };
    test::StationFields shortLine = test::SteadyStation("1.0", "45");
    shortLine.FieldCount = 122;
    QByteArray wideRow = "3.4";
    for (int i = 2; i <= 51; ++i)
        wideRow.append(",3.4");
    const Row rows[] = {
        {"missing help", remove("help.rtf"), 53, "help.rtf"},
        {"missing chart", remove("backdrop.bmp"), 53, "backdrop.bmp"},
        {"unreadable chart", write("backdrop.bmp", "not a picture"), 75, "backdrop.bmp"},
        {"122 fields", write("temp.bmp", test::StationLine(shortLine)), 5, "temp.bmp"},
        {"marker in capitals", write("temp.bmp", "Encrypted\r\n"), 5, "temp.bmp"},
        {"no stations", write("temp.bmp", ""), 9, "temp.bmp holds no stations"},
        {"missing flow database", remove("temp.bmp"), 9, "temp.bmp holds no stations"},
        {"empty rate table", write("temp3.bmp", ""), 9, "temp3.bmp"},
        {"51 rate values", write("temp3.bmp", "3.4,4.3\r\n" + wideRow + "\r\n"), 9, "temp3.bmp"},
        {"non-numeric rate", write("temp3.bmp", "3.4,4.3\r\n1.0,abc\r\n"), 13, "temp3.bmp"},
        {"spot without quotes", write("temp2.bmp", "no quotes here\r\n"), 5, "temp2.bmp"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        StartupRun run;
        test::WriteInstallation(run.folder, TwoStations());
        row.spoil(run.folder);
        MainScreen screen(run.state, run.services);
        EXPECT_FALSE(screen.Load());
        EXPECT_FALSE(screen.isVisible());
        ASSERT_FALSE(run.messages.Shown.empty());
        const QStringList lines = run.messages.Shown.back().Text.split("\r\n");
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0], "Fatal Error Running Brenlow");
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" Brenlow %1").arg(row.number)))
            << lines[1].toStdString();
        EXPECT_TRUE(lines[1].contains(QLatin1String(row.named))) << lines[1].toStdString();
        EXPECT_EQ(lines[2], "Please contact Brenlow support@brenlow.example.");
        EXPECT_EQ(run.messages.Shown.back().Title, "Brenlow");
    }
}

// Regression: a FIFO in the place of a data file hung start-up, and a data file of gigabytes
// made it allocate until it failed, naming no file.
TEST(Startup, DataFilesThatAreNoFilesOrTooLargeStopItAtOnceNamingThem)
{
    const std::pair<const char *, qint64> files[] = {{"help.rtf", RichTextFileLimit},
                                                     {"temp.bmp", FlowDatabaseLoadLimit},
                                                     {"temp2.bmp", PictureSpotFileLimit},
                                                     {"temp3.bmp", RateTableFileLimit}};
    for (const auto &[file, limit] : files) {
        for (const bool fifo : {true, false}) {
            SCOPED_TRACE(std::string(file) + (fifo ? " as a FIFO" : " a byte over its bound"));
            StartupRun run;
            test::WriteInstallation(run.folder, TwoStations());
            const QString path = run.folder.FilePath(QString::fromLatin1(file));
            std::optional<test::FifoGuard> guard;
            if (fifo)
                guard.emplace(path);
            else
                ASSERT_TRUE(QFile::resize(path, limit + 1)); // sparse: no disk used

            MainScreen screen(run.state, run.services);
            EXPECT_FALSE(screen.Load());
            ASSERT_FALSE(run.messages.Shown.empty());
            const QString named = path + (fifo ? " is not a file" : " is too large");
            EXPECT_TRUE(run.messages.Shown.back().Text.contains(named + " Brenlow 75"))
                << run.messages.Shown.back().Text.toStdString();
            EXPECT_FALSE(guard && guard->Released()) << "start-up waited on the FIFO";
        }
    }
}

} // namespace
} // namespace brenlow
