#include "tide/clock_tick.h"
#include "tide/step_conventions.h"

#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(ClockTick, ShowsThePresentTimeThenRunsThePanCountdownThenTheDayWatch)
{
    test::FixedClock clock{QTime(9, 5, 7)};
    QStringList seen;
    ClockTick tick(
        clock, [&](const QString &time) { seen << time; }, QLocale::c());
    tick.Tick(); // no countdown connected yet
    tick.SetPanCountdown([&] { seen << QStringLiteral("countdown"); });
    tick.SetDayWatch([&] { seen << QStringLiteral("day"); });
    clock.Time = QTime(23, 59, 59);
    tick.Tick();
    EXPECT_EQ(seen, QStringList({"09:05:07", "23:59:59", "countdown", "day"}));
}

TEST(ClockTick, ShowsTheTimeInTheLocalesFormatWithoutZone)
{
    struct Row
    {
        QLocale locale;
        const char *shown;
    };
    const Row rows[] = {
        {QLocale::c(), "21:48:05"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "9:48:05\u202fPM"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "21:48:05"},
        {QLocale(QLocale::German, QLocale::Germany), "21:48:05"},
    };
    for (const Row &row : rows) {
        const QString text = ClockNowText(QTime(21, 48, 5), row.locale);
        // Some locale data write a narrow space before AM/PM, some a plain one.
        EXPECT_EQ(QString(text).replace(QChar(0x202f), QLatin1Char(' ')),
                  QString::fromUtf8(row.shown).replace(QChar(0x202f), QLatin1Char(' ')))
            << row.locale.name().toStdString();
    }
}

} // namespace
} // namespace brenlow
