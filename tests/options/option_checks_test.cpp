#include "options/option_checks.h"

#include <gtest/gtest.h>

namespace brenlow {
namespace {

using In = OptionsInput;

struct CheckRow
{
    const char *what;
    OptionsEntry entry;
    int failing; // 0: all checks pass
    In focus;
};

const QString Hw1 = QStringLiteral("Highwater Portsmouth 1 Date is not valid\r\n"
                                   "please enter hw using xx.xx format");
const QString Hw2 = QStringLiteral("Highwater Portsmouth 2 Date is not valid\r\n"
                                   "please enter hw using xx.xx format");

TEST(CheckOptions, FirstFailingCheckWithItsMessageAndFocus)
{
    const CheckRow rows[] = {
        {"all empty", {}, 0, In::HighWater1},
        {"all valid", {"14:30", "02:45", "4.3", "3.9", "1013"}, 0, In::HighWater1},
        {"times as the tide model reads them", {"14.30", "2:30 PM", "", "", ""}, 0, In::HighWater1},
        {"a date and a time", {"08/12/2026 14:30", "", "", "", ""}, 0, In::HighWater1},
        {"bad first high water", {"tea", "", "", "", ""}, 1, In::HighWater1},
        {"bad second high water", {"", "25:99", "", "", ""}, 2, In::HighWater2},
        {"high waters come before heights", {"14:30", "x", "abc", "", ""}, 2, In::HighWater2},
        {"letters in height 1", {"", "", "four", "", ""}, 3, In::Height1},
        {"letters in height 2", {"", "", "4", "4m", ""}, 4, In::Height2},
        {"numeric tests before ranges", {"", "", "9", "b", ""}, 4, In::Height2},
        {"height 1 at 3.4", {"", "", "3.4", "", ""}, 0, In::HighWater1},
        {"height 1 at 5", {"", "", "5", "", ""}, 0, In::HighWater1},
        {"height 1 at 4.5", {"", "", "4.5", "", ""}, 0, In::HighWater1},
        {"height 1 at 3.39", {"", "", "3.39", "", ""}, 5, In::Height1},
        {"height 1 at 5.01", {"", "", "5.01", "", ""}, 5, In::Height1},
        {"height 1 of -4 reads 0", {"", "", "-4", "", ""}, 5, In::Height1},
        {"height 1 of .5 reads 0.5", {"", "", ".5", "", ""}, 5, In::Height1},
        {"height 2 at 5.01", {"", "", "4", "5.01", ""}, 6, In::Height2},
        {"height 1 range before height 2", {"", "", "9", "9", ""}, 5, In::Height1},
        {"pressure letters", {"", "", "", "", "high"}, 7, In::Pressure},
        {"heights before pressure", {"", "", "", "2", "high"}, 6, In::Height2},
        {"pressure 940", {"", "", "", "", "940"}, 0, In::HighWater1},
        {"pressure 1050", {"", "", "", "", "1050"}, 0, In::HighWater1},
        {"pressure 939.9", {"", "", "", "", "939.9"}, 8, In::Pressure},
        {"pressure 1050.1", {"", "", "", "", "1050.1"}, 8, In::Pressure},
        {"pressure with an exponent", {"", "", "", "", "1.013e3"}, 0, In::HighWater1},
        {"negative pressure", {"", "", "", "", "-1000"}, 8, In::Pressure},
        {"access word twin is no number", {"", "", "Quillobarne", "", ""}, 3, In::Height1},
    };
    const QString messages[] = {
        {},
        Hw1,
        Hw2,
        QStringLiteral("Height 1 is not a Numeric Value, Please correct"),
        QStringLiteral("Height 2 is not a Numeric Value, Please correct"),
        QStringLiteral("Height 1 is not valid range is 3.4-5.0, Please correct"),
        QStringLiteral("Height 2 is not valid range is 3.4-5.0, Please correct"),
        QStringLiteral("Barometric Pressure is not a Numeric Value, Please correct"),
        QStringLiteral("Barometric Pressure range is invalid, needs to be between 940 and 1050"),
    };
    for (const CheckRow &row : rows) {
        const std::optional<OptionsFailure> failure = CheckOptions(row.entry);
        if (row.failing == 0) {
            EXPECT_FALSE(failure.has_value()) << row.what;
            continue;
        }
        ASSERT_TRUE(failure.has_value()) << row.what;
        EXPECT_EQ(failure->Number, row.failing) << row.what;
        EXPECT_EQ(failure->Message, messages[row.failing]) << row.what;
        EXPECT_EQ(failure->Focus, row.focus) << row.what;
    }
}

TEST(IsNumericText, AcceptsNumbersWithSignsBlanksAndPoints)
{
    for (const char *text : {"4", "4.3", ".5", " 4.3 ", "-4", "+4", "1e3", "1013"})
        EXPECT_TRUE(IsNumericText(QString::fromLatin1(text))) << text;
    for (const char *text : {"", " ", ".", "4m", "four", "4..3", "nan", "inf", "--4"})
        EXPECT_FALSE(IsNumericText(QString::fromLatin1(text))) << text;
}

} // namespace
} // namespace brenlow
