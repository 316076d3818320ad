#include "app/main_screen.h"

#include "options/options_window.h"
#include "options/stored_options.h"
#include "platform/chart_surface_widget.h"
#include "platform/house_style.h"
#include "platform/picture_check_box.h"
#include "support/program_files.h"
#include "support/program_run.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace brenlow {
namespace {

// Every control of a window as the user meets it: its kind, name, place, text and whether it
// is shown (what Qt keeps inside them is its own).
std::string Controls(const QWidget &window)
{
    QStringList controls;
    for (const QWidget *control : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(control))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            text = button->text() + button->toolTip();
        const QRect place = control->geometry();
        controls << QStringLiteral("%1 %2 %3,%4 %5x%6 %7 %8")
                        .arg(QLatin1String(control->metaObject()->className()),
                             control->objectName())
                        .arg(place.x())
                        .arg(place.y())
                        .arg(place.width())
                        .arg(place.height())
                        .arg(text)
                        .arg(control->isVisible());
    }
    return controls.join(QLatin1Char('\n')).toStdString();
}

// Dim red on black: red leads and nothing is bright.
bool NightColour(QColor colour)
{
    return colour.red() >= colour.green() && colour.red() >= colour.blue()
        && colour.lightness() < 110;
}

struct NightRun : test::ProgramRun
{
    NightRun() : test::ProgramRun(QStringLiteral("brenlow-night"))
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
    }
    // The scheme is the program's, one for all windows: each test leaves the day's.
    ~NightRun() { HouseStyle::Instance().SetScheme(ColourScheme::Day); }
};

// Opens the options window from the main window and lets act work in it.
void InOptionsWindow(MainScreen &screen, const std::function<void(OptionsScreen &)> &act)
{
    auto *timer = new QTimer(&screen);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto *window = qobject_cast<OptionsScreen *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*window);
            window->close();
        }
    });
    timer->start(10);
    screen.options->click();
}

TEST(NightColours, NAndTheOptionsBoxSwitchEveryColourButNoControlAndTheChoiceIsKept)
{
    NightRun run;
    {
        MainScreen screen(run.state, run.services);
        ASSERT_TRUE(screen.Load());
        screen.show();
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        const std::string day = Controls(screen);
        const QImage dayLook = screen.grab().toImage();
        const QPoint band(300, 20);
        const QPoint toolBand(400, 88);
        const QPoint chart = screen.IB1->geometry().center() + QPoint(0, 120);
        ASSERT_FALSE(NightColour(dayLook.pixelColor(chart)));

        QTest::keyClick(&screen, Qt::Key_N);
        EXPECT_EQ(HouseStyle::Instance().Scheme(), ColourScheme::Night);
        EXPECT_EQ(Controls(screen), day);
        const QImage night = screen.grab().toImage();
        for (const QPoint at : {band, toolBand, chart})
            EXPECT_TRUE(NightColour(night.pixelColor(at)))
                << at.x() << "," << at.y() << " " << night.pixelColor(at).name().toStdString();
        EXPECT_TRUE(NightColour(QApplication::palette().window().color()));
        EXPECT_TRUE(ReadNightColours(run.settings, run.folder.Info().AppName));

        // The options window is in the night colours and its box says so; clearing it is N.
        bool ticked = false;
        InOptionsWindow(screen, [&ticked](OptionsScreen &window) {
            ticked = window.nightcolours->isChecked();
            QTest::mouseClick(window.nightcolours, Qt::LeftButton);
        });

        EXPECT_TRUE(ticked);
        EXPECT_EQ(HouseStyle::Instance().Scheme(), ColourScheme::Day);
        EXPECT_EQ(Controls(screen), day);
        EXPECT_EQ(screen.grab().toImage().pixelColor(chart), dayLook.pixelColor(chart));
        EXPECT_FALSE(ReadNightColours(run.settings, run.folder.Info().AppName));
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        QTest::keyClick(&screen, Qt::Key_N);
    }

    // The next start opens at night.
    HouseStyle::Instance().SetScheme(ColourScheme::Day);
    AppState state;
    MainScreen again(state, run.services);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(HouseStyle::Instance().Scheme(), ColourScheme::Night);
}

} // namespace
} // namespace brenlow
