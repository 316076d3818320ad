#include "options/options_window.h"

#include "core/app_state.h"
#include "core/installation_files.h"
#include "data/config_window.h"
#include "options/day_high_waters.h"
#include "options/tide_prediction_window.h"
#include "platform/browser.h"
#include "platform/picture_check_box.h"
#include "platform/qt_settings_store.h"
#include "support/test_platform.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace brenlow {
namespace {

const QString Section = QStringLiteral("config");
const char *const Keys[] = {"highwater1", "highwater2", "height1",
                            "height2",    "pressure",   "animspeed"};
const QString Unset = QStringLiteral("<unset>");

// The user's browser, as far as the options window sees it: it records what it was asked to
// open.
class RecordingBrowser : public Browser
{
public:
    std::optional<AssociatedProgram> FindAssociatedProgram(const QString &) override
    {
        return AssociatedProgram{QStringLiteral("browser"), {QStringLiteral("%u")}};
    }
    bool StartProgram(const AssociatedProgram &, const QString &address) override
    {
        Opened << address;
        return true;
    }
    QStringList Opened;
};

class OptionsWindowTest : public ::testing::Test
{
protected:
    OptionsWindowTest()
        : program{QStringLiteral("/nonexistent"),
                  QStringLiteral("options-test-%1").arg(++instance)},
          highWaters{settings, program, clock},
          services{settings, program, messages, browser, highWaters}
    { }

    QString Stored(const char *key) const
    {
        return settings.GetSetting(program.AppName, Section, QString::fromLatin1(key), Unset);
    }
    void Store(const char *key, const QString &value)
    {
        settings.SaveSetting(program.AppName, Section, QString::fromLatin1(key), value);
    }

    static inline int instance = 0;
    AppState state;
    QtSettingsStore settings;
    ProgramInfo program;
    test::RecordingMessageBoxes messages;
    RecordingBrowser browser;
    test::FixedClock clock;
    DayHighWaters highWaters;
    OptionsServices services;
};

TEST_F(OptionsWindowTest, OpensWithTheStoredTextsUnchanged)
{
    Store("highwater1", QStringLiteral(" 14:30 "));
    Store("height2", QStringLiteral("4.1"));
    Store("animspeed", QStringLiteral("3"));
    state.HighWater1Text = QStringLiteral("09:00"); // the store, not AppState, fills the window

    OptionsScreen screen(state, services);

    EXPECT_EQ(screen.highwater1->text(), QStringLiteral(" 14:30 "));
    EXPECT_EQ(screen.highwater2->text(), QString());
    EXPECT_EQ(screen.height2->text(), QStringLiteral("4.1"));
    EXPECT_EQ(screen.animationspeed->value(), 3);
}

TEST_F(OptionsWindowTest, SpeedStartsAtOneWhenNoneIsStored)
{
    OptionsScreen screen(state, services);
    EXPECT_EQ(screen.animationspeed->value(), 1);
}

TEST_F(OptionsWindowTest, FailedCheckShowsItsMessageFocusesTheInputAndSavesNothing)
{
    struct Row
    {
        int check;
        QStringList texts; // highwater1, highwater2, height1, height2, pressure
        int focus;         // index into the inputs
    };
    const Row rows[] = {
        {1, {"x", "", "", "", ""}, 0}, {2, {"", "x", "", "", ""}, 1},
        {3, {"", "", "x", "", ""}, 2}, {4, {"", "", "", "x", ""}, 3},
        {5, {"", "", "9", "", ""}, 2}, {6, {"", "", "", "9", ""}, 3},
        {7, {"", "", "", "", "x"}, 4}, {8, {"", "", "", "", "900"}, 4},
    };
    for (const Row &row : rows) {
        OptionsScreen screen(state, services);
        screen.show();
        QLineEdit *inputs[] = {screen.highwater1, screen.highwater2, screen.height1, screen.height2,
                               screen.pressure};
        for (int i = 0; i < 5; ++i)
            inputs[i]->setText(row.texts[i]);
        messages.Shown.clear();

        screen.saveandexit->click();

        ASSERT_EQ(messages.Shown.size(), 1u) << "check " << row.check;
        EXPECT_EQ(messages.Shown[0].Title, QStringLiteral("Brenlow"));
        EXPECT_EQ(messages.Shown[0].Icon, MessageIcon::None);
        EXPECT_EQ(screen.focusWidget(), inputs[row.focus]) << "check " << row.check;
        EXPECT_TRUE(screen.isVisible()) << "check " << row.check;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(inputs[i]->text(), row.texts[i]); // left as the user typed them
        for (const char *key : Keys)
            EXPECT_EQ(Stored(key), Unset) << key;
    }
    EXPECT_EQ(state.HighWater1Text, QString());
}

TEST_F(OptionsWindowTest, SavingEmptyInputsStoresAllSixKeysAndCloses)
{
    state.AnimSpeedText = QStringLiteral("2");
    OptionsScreen screen(state, services);
    screen.show();

    screen.saveandexit->click();

    EXPECT_TRUE(messages.Shown.empty());
    for (const char *key : {"highwater1", "highwater2", "height1", "height2", "pressure"})
        EXPECT_EQ(Stored(key), QString()) << key;
    EXPECT_EQ(Stored("animspeed"), QStringLiteral("1"));
    EXPECT_EQ(state.AnimSpeedText, QStringLiteral("1"));
    EXPECT_FALSE(screen.isVisible());
}

// Regression: a settings file that could not be written closed the window as if saved.
TEST_F(OptionsWindowTest, UnwritableSettingsAreSaidAndChangeNothing)
{
    const QString iniPath = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Brenlow/")
        + program.AppName + QStringLiteral(".ini");
    ASSERT_TRUE(QDir().mkpath(iniPath)); // where the file goes there is a folder
    OptionsScreen screen(state, services);
    screen.show();
    screen.highwater1->setText(QStringLiteral("10:00"));
    screen.height1->setText(QStringLiteral("4.5"));

    screen.saveandexit->click();

    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text,
              QStringLiteral("The options could not be saved: %1 is a folder").arg(iniPath));
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.highwater1->text(), QStringLiteral("10:00"));
    EXPECT_EQ(screen.height1->text(), QStringLiteral("4.5"));
    EXPECT_EQ(state.HighWater1Text, QString());
    EXPECT_EQ(state.Height1Text, QString());
    for (const char *key : Keys)
        EXPECT_EQ(Stored(key), Unset) << key;
}

TEST_F(OptionsWindowTest, EnterSavesAndEscapeCloses)
{
    struct Row
    {
        Qt::Key key;
        QString stored; // what highwater1 holds afterwards
    };
    const Row rows[] = {
        {Qt::Key_Return, "10:00"}, {Qt::Key_Enter, "10:00"}, {Qt::Key_Escape, Unset}};
    for (const Row &row : rows) {
        Store("highwater1", Unset); // as if never stored
        OptionsScreen screen(state, services);
        screen.show();
        screen.highwater1->setText(QStringLiteral("10:00"));
        screen.highwater1->setFocus();
        QTest::keyClick(screen.highwater1, row.key);
        EXPECT_FALSE(screen.isVisible()) << row.key;
        EXPECT_EQ(Stored("highwater1"), row.stored) << row.key;
    }
}

TEST_F(OptionsWindowTest, SavingStoresTheTextsAsTypedAndReloadsAppState)
{
    state.CurrentStep = 7;
    state.SecondTideActive = true;
    OptionsScreen screen(state, services);
    screen.show();
    screen.highwater1->setText(QStringLiteral("14:30"));
    screen.highwater2->setText(QStringLiteral("2:45 PM"));
    screen.height1->setText(QStringLiteral(" 4.5"));
    screen.height2->setText(QStringLiteral("3.4"));
    screen.pressure->setText(QStringLiteral("1013"));
    screen.animationspeed->setValue(4);

    screen.saveandexit->click();

    EXPECT_EQ(Stored("highwater1"), QStringLiteral("14:30"));
    EXPECT_EQ(Stored("highwater2"), QStringLiteral("2:45 PM"));
    EXPECT_EQ(Stored("height1"), QStringLiteral(" 4.5"));
    EXPECT_EQ(Stored("height2"), QStringLiteral("3.4"));
    EXPECT_EQ(Stored("pressure"), QStringLiteral("1013"));
    EXPECT_EQ(Stored("animspeed"), QStringLiteral("4"));
    EXPECT_EQ(state.HighWater1Text, QStringLiteral("14:30"));
    EXPECT_EQ(state.HighWater2Text, QStringLiteral("2:45 PM"));
    EXPECT_EQ(state.Height1Text, QStringLiteral(" 4.5"));
    EXPECT_EQ(state.Height2Text, QStringLiteral("3.4"));
    EXPECT_EQ(state.PressureText, QStringLiteral("1013"));
    EXPECT_EQ(state.AnimSpeedText, QStringLiteral("4"));
    EXPECT_EQ(state.CurrentStep, 7);
    EXPECT_TRUE(state.SecondTideActive);
    EXPECT_FALSE(screen.isVisible());

    // The next opening shows what was saved.
    OptionsScreen again(state, services);
    EXPECT_EQ(again.height1->text(), QStringLiteral(" 4.5"));
    EXPECT_EQ(again.animationspeed->value(), 4);
}

TEST_F(OptionsWindowTest, AccessWordOpensTheAdministrationInsteadOfSaving)
{
    OptionsScreen screen(state, services);
    screen.show();
    screen.height1->setText(QStringLiteral("quillobarne"));
    screen.height2->setText(QStringLiteral("not checked"));

    QString openedTitle;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *config = qobject_cast<Config *>(QApplication::activeModalWidget())) {
            openedTitle = config->windowTitle();
            config->reject();
        }
    });
    closer.start(10);
    screen.saveandexit->click();
    closer.stop();

    EXPECT_EQ(openedTitle, QStringLiteral("Administrator Configuration"));
    EXPECT_EQ(screen.height1->text(), QString());
    EXPECT_EQ(screen.height2->text(), QStringLiteral("not checked"));
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(messages.Shown.empty());
    for (const char *key : Keys)
        EXPECT_EQ(Stored(key), Unset) << key;
}

TEST_F(OptionsWindowTest, CapitalisedAccessWordIsAnOrdinaryEntry)
{
    OptionsScreen screen(state, services);
    screen.show();
    screen.highwater1->setText(QStringLiteral("10:15"));
    screen.height1->setText(QStringLiteral("Quillobarne"));

    screen.saveandexit->click();

    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text,
              QStringLiteral("Height 1 is not a Numeric Value, Please correct"));
    EXPECT_EQ(screen.focusWidget(), screen.height1);
    EXPECT_EQ(screen.height1->text(), QStringLiteral("Quillobarne"));
}

TEST_F(OptionsWindowTest, CloseButtonSavesNothing)
{
    OptionsScreen screen(state, services);
    screen.show();
    screen.highwater1->setText(QStringLiteral("11:00"));

    screen.closebutton->click();

    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(Stored("highwater1"), Unset);
    EXPECT_EQ(state.HighWater1Text, QString());
}

TEST_F(OptionsWindowTest, LinkButtonsOpenTheirPages)
{
    OptionsScreen screen(state, services);
    screen.show();
    screen.ARButton1->click();
    screen.ARButton2->click();
    screen.ARButton3->click();
    screen.ARButton4->click();
    EXPECT_EQ(browser.Opened,
              QStringList({"https://www.brenlow.example/pages/download.htm",
                           "https://www.brenlow.example",
                           "https://www.brenlow.example/pages/feedback.asp",
                           "https://www.brenlow.example/pages/customerresources.htm"}));
    EXPECT_TRUE(screen.isVisible());
}

// The same window over a program folder with the tidal constants, on Wednesday 9 December
// 2026 in London: high waters 11:07 and 23:40, on the Thursday 11:41 alone, on the Friday
// 00:12 and 12:18; all of 4.1 m.
class TidePredictionTest : public OptionsWindowTest
{
protected:
    TidePredictionTest()
    {
        program.Folder = folder.Info().Folder;
        folder.CopyFromBuiltProgram(QString::fromLatin1(TideConstantsFileName));
        highWaters.LoadConstants();
    }
    static QStringList Inputs(const OptionsScreen &screen)
    {
        return {screen.highwater1->text(), screen.height1->text(), screen.highwater2->text(),
                screen.height2->text()};
    }
    // Presses the tide prediction button and lets act work the window; returns once it closed.
    static void WithPredictionWindow(OptionsScreen &screen,
                                     const std::function<void(TidePredictionScreen &)> &act)
    {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto *window =
                    qobject_cast<TidePredictionScreen *>(QApplication::activeModalWidget())) {
                timer.stop();
                act(*window);
                window->close();
            }
        });
        timer.start(10);
        screen.tideprediction->click();
    }

    test::ScopedTimeZone london{"Europe/London"};
    test::TempProgramFolder folder;
};

TEST_F(TidePredictionTest, UsePredictedAsksBeforeReplacingATypedValue)
{
    const QString question =
        "The options hold typed values that differ from the prediction for Thu 10 Dec 2026:\n"
        "First high water: 10:00 \u2192 11:41\nSecond height: 4.6 \u2192 (none)\n"
        "Replace them with the prediction?";
    const QStringList thursday{"11:41", "4.1", "", ""};
    struct Row
    {
        const char *name;
        QStringList entered; // first time, first height, second time, second height
        bool answer;
        QStringList after;
        const QString &asked;
    } const rows[] = {
        {"empty inputs", {"", "", "", ""}, false, thursday, {}},
        {"the same in other forms", {"11.41", "4.10", "", ""}, false, thursday, {}},
        {"kept on No", {"10:00", "", "", "4.6"}, false, {"10:00", "", "", "4.6"}, question},
        {"replaced on Yes", {"10:00", "", "", "4.6"}, true, thursday, question},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        OptionsScreen screen(state, services);
        QLineEdit *inputs[] = {screen.highwater1, screen.height1, screen.highwater2,
                               screen.height2};
        for (int i = 0; i < 4; ++i)
            inputs[i]->setText(row.entered[i]);
        messages.Questions.clear();
        messages.Answer = row.answer;
        EXPECT_EQ(screen.UsePrediction(highWaters.Predictor().Predict(QDate(2026, 12, 10))),
                  row.asked.isEmpty() || row.answer);
        EXPECT_EQ(Inputs(screen), row.after);
        EXPECT_EQ(messages.Questions,
                  row.asked.isEmpty() ? std::vector<QString>{} : std::vector<QString>{question});
    }
}

TEST_F(TidePredictionTest, TheWindowsChoicesAreSavedWithTheOptions)
{
    OptionsScreen screen(state, services);
    screen.show();
    QStringList said;
    WithPredictionWindow(screen, [&](TidePredictionScreen &window) {
        said << window.predicted->text();
        window.predictiondate->setDate(QDate(2026, 12, 11));
        said << window.predicted->text();
        window.usepredicted->click();
        said << (window.isVisible() ? "still open" : "closed");
    });
    EXPECT_EQ(said,
              QStringList({"Predicted: 11:07 4.1 m, 23:40 4.1 m",
                           "Predicted: 00:12 4.1 m, 12:18 4.1 m", "closed"}));
    EXPECT_EQ(Inputs(screen), QStringList({"00:12", "4.1", "12:18", "4.1"}));
    screen.saveandexit->click();
    EXPECT_EQ(Stored("highwater1"), "00:12");
    EXPECT_EQ(Stored("typeddate"), "2026-12-11");
    EXPECT_EQ(Stored("predicthw"), "1");
    // Typed for Friday: on Wednesday the program goes on with Wednesday's prediction.
    EXPECT_EQ(state.HighWater1Text, "11:07");

    OptionsScreen again(state, services);
    again.show();
    WithPredictionWindow(again, [&](TidePredictionScreen &window) {
        EXPECT_TRUE(window.typednote->text().contains("except on Fri 11 Dec 2026"));
        window.predicthw->click();
        EXPECT_TRUE(window.typednote->text().startsWith("Prediction off"));
    });
    again.saveandexit->click();
    EXPECT_EQ(Stored("predicthw"), "0");
    EXPECT_EQ(Stored("typeddate"), "2026-12-11") << "the times were not changed";
    EXPECT_EQ(state.HighWater1Text, "00:12");
    EXPECT_EQ(state.HighWaterDay.Origin, HighWaterOrigin::Typed);
}

TEST_F(TidePredictionTest, WithoutConstantsTheWindowSaysWhyAndOffersNothingToUse)
{
    QFile::remove(folder.FilePath(QString::fromLatin1(TideConstantsFileName)));
    highWaters.LoadConstants();
    const TidePredictionScreen window(highWaters.Predictor(), QDate(2026, 12, 9), true, QDate());
    EXPECT_TRUE(window.predicted->text().startsWith("no prediction: "));
    EXPECT_TRUE(window.predicted->text().contains(QLatin1String(TideConstantsFileName)));
    EXPECT_FALSE(window.usepredicted->isEnabled());
}

} // namespace
} // namespace brenlow
