#include "tide/step_conventions.h"

#include "core/app_state.h"
#include "tide/decimal_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace brenlow {
namespace {

TEST(StepConventionsTest, OffsetsOfSteps)
{
    struct Case
    {
        std::int32_t step;
        double hours;
        std::int32_t minutes;
        QString text;
    };
    const Case cases[] = {
        {1, -6.0, -360, "-6.0"}, {2, -5.5, -330, "-5.5"}, {12, -0.5, -30, "-0.5"},
        {13, 0.0, 0, "0.0"},     {14, 0.5, 30, "0.5"},    {25, 6.0, 360, "6.0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(HourOffset(c.step), c.hours);
        EXPECT_EQ(MinuteOffset(c.step), c.minutes);
        EXPECT_EQ(HourOffsetText(c.step), c.text);
    }
}

TEST(StepConventionsTest, ClockTimeOfAStepWrapsPastMidnight)
{
    EXPECT_EQ(ClockText(StepClockTime(QTime(6, 5), 13)), "06:05:00");
    EXPECT_EQ(ClockText(StepClockTime(QTime(6, 5), 1)), "00:05:00");
    EXPECT_EQ(ClockText(StepClockTime(QTime(3, 0), 1)), "21:00:00");
    EXPECT_EQ(ClockText(StepClockTime(QTime(20, 0, 5), 25)), "02:00:05");
}

TEST(StepConventionsTest, TheActiveHighWaterFollowsTheTideFlag)
{
    AppState state;
    state.HighWater1Text = QStringLiteral("06:05");
    state.HighWater2Text = QStringLiteral("18:30");
    EXPECT_EQ(ActiveHighWaterText(state), "06:05");
    EXPECT_EQ(ActiveHighWater(state)->TimeOfDay, QTime(6, 5));
    state.SecondTideActive = true;
    EXPECT_EQ(ActiveHighWaterText(state), "18:30");
    state.HighWater2Text = QStringLiteral("later");
    EXPECT_FALSE(ActiveHighWater(state).has_value());
    EXPECT_FALSE(HighWaterGiven(state.HighWater2Text));
}

TEST(DecimalRulesTest, OneDecimalRoundsHalvesAwayFromZero)
{
    struct Case
    {
        double value;
        QString text;
    };
    const Case cases[] = {
        {0, "0.0"},
        {2.25, "2.3"},
        {0.04, "0.0"},
        {0.05, "0.1"},
        {1.15, "1.2"},
        {2.35, "2.4"},
        {0.96, "1.0"},
        {9.95, "10.0"},
        {99.96, "100.0"},
        {-0.5, "-0.5"},
        {-6, "-6.0"},
        {-0.04, "0.0"},
        {-2.25, "-2.3"},
        {123456.75, "123456.8"},
        {1e20, "100000000000000000000.0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FormatOneDecimal(c.value), c.text);
    }
    EXPECT_EQ(RoundOneDecimal(4.25), 4.3);
    EXPECT_EQ(RoundOneDecimal(4.21), 4.2);
}

// Guards the quick path of one-decimal rounding against the value's decimal reading: the
// 15-digit text, rounded in extended precision.
TEST(DecimalRulesTest, OneDecimalAgreesWithTheDecimalReadingEverywhere)
{
    const auto reference = [](double value) {
        char digits[40];
        std::snprintf(digits, sizeof digits, "%.15g", value);
        const long double tenths = std::roundl(std::strtold(digits, nullptr) * 10);
        char text[64];
        std::snprintf(text, sizeof text, "%.1Lf", tenths / 10);
        return QString::fromLatin1(text == std::string_view("-0.0") ? "0.0" : text);
    };
    for (int k = -20000; k <= 200000; ++k) {
        for (const double value : {k / 100.0, k / 1000.0, k * 0.05}) {
            ASSERT_EQ(FormatOneDecimal(value), reference(value)) << value;
            ASSERT_EQ(RoundOneDecimal(value), reference(value).toDouble()) << value;
        }
    }
}

} // namespace
} // namespace brenlow
