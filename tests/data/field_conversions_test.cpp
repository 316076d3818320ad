#include "data/field_conversions.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace brenlow {
namespace {

struct NumberRow
{
    const char *name;
    QByteArray text;
    double leading;      // ReadLeadingNumber
    double zeroPrefixed; // ReadZeroPrefixedNumber: as read from "0" followed by the text
};

TEST(NumberReading, LeadingNumberOfAText)
{
    const double inf = std::numeric_limits<double>::infinity();
    const NumberRow rows[] = {
        {"empty", "", 0, 0},
        {"integer", "42", 42, 42},
        {"decimal", "1.5", 1.5, 1.5},
        {"point first", ".5", 0.5, 0.5},
        {"point last", "3.", 3, 3},
        {"minus", "-1", -1, 0},
        {"plus", "+2.5", 2.5, 0},
        {"minus after blanks", "  -7", -7, 0},
        {"blanks tabs and LF inside", " 1\t2 .\n5", 12.5, 12.5},
        {"stops at other character", "12abc3", 12, 12},
        {"comma is not a separator", "1,5", 1, 1},
        {"no digit", "abc", 0, 0},
        {"sign alone", "-", 0, 0},
        {"point alone", ".", 0, 0},
        {"E exponent", "1.5E2", 150, 150},
        {"lower e and sign", "25e-1", 2.5, 2.5},
        {"D exponent", "2D3", 2000, 2000},
        {"exponent with blanks", "2 E + 1", 20, 20},
        {"marker without digits", "1E", 1, 1},
        {"marker and sign without digits", "1E-x", 1, 1},
        {"exponent alone", "E5", 0, 0},
        {"second point ends", "1.2.3", 1.2, 1.2},
        {"leading zeros", "007.50", 7.5, 7.5},
        {"CR is not ignored", "1\r2", 1, 1},
        {"overflow", "1E999", inf, inf},
        {"negative overflow", "-9e99999999999999999999", -inf, 0},
        {"long digits overflow", QByteArray(400, '9'), inf, inf},
        {"underflow", "1E-999", 0, 0},
        {"tiny with many zeros", "0." + QByteArray(400, '0') + "1", 0, 0},
    };
    for (const NumberRow &row : rows) {
        EXPECT_EQ(ReadLeadingNumber(row.text), row.leading) << row.name;
        EXPECT_EQ(ReadZeroPrefixedNumber(row.text), row.zeroPrefixed) << row.name;
    }
}

TEST(NumberReading, ChartPositionsFromCharacterPositions)
{
    struct Row
    {
        const char *name;
        QByteArray text;
        double chartX; // LongitudeToChartX: characters 5..9
        double chartY; // LatitudeToChartY: characters 4..8
    };
    const Row rows[] = {
        {"typical", "001 18.50W", (38 - 18.5) / 2, (54 - 18.5) / 2},
        {"empty", "", 19, 27},
        {"three characters", "123", 19, 27},
        {"four characters", "1234", 19, (54 - 4) / 2.0},
        {"five characters", "12345", (38 - 5) / 2.0, (54 - 45) / 2.0},
        {"reads only five", "0000123456789", (38 - 12345) / 2.0, (54 - 1234) / 2.0},
        {"earlier characters are not read", "9999-10", (38 + 10) / 2.0, (54 - 9) / 2.0},
        {"sign is honoured", "000-10", (38 - 10) / 2.0, (54 + 10) / 2.0},
        {"blanks inside are ignored", "50 4 2.5N", (38 - 2.5) / 2, (54 - 42.5) / 2},
    };
    for (const Row &row : rows) {
        EXPECT_DOUBLE_EQ(LongitudeToChartX(row.text), row.chartX) << row.name;
        EXPECT_DOUBLE_EQ(LatitudeToChartY(row.text), row.chartY) << row.name;
    }
}

class RateValueTest : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

// The same on every system: the point is the decimal separator, never the regional one.
TEST_F(RateValueTest, ReadsTheDecimalPointWhateverTheRegion)
{
    using Status = RateValue::Status;
    struct Row
    {
        QByteArray text;
        Status kind;
        double value;
    };
    const Row rows[] = {
        {"3.4", Status::Number, 3.4},       {" 4.7 ", Status::Number, 4.7},
        {"\t4.7\xa0", Status::Number, 4.7}, {"-1", Status::Number, -1},
        {"+.5", Status::Number, 0.5},       {"1E2", Status::Number, 100},
        {"1,234.5", Status::NotANumber, 0}, {"3,4", Status::NotANumber, 0},
        {"1.234,5", Status::NotANumber, 0}, {"", Status::NotANumber, 0},
        {"  ", Status::NotANumber, 0},      {"x", Status::NotANumber, 0},
        {"1.5x", Status::NotANumber, 0},    {"inf", Status::NotANumber, 0},
        {"nan", Status::NotANumber, 0},     {"1e999", Status::TooLarge, 0},
        {"-1e999", Status::TooLarge, 0},
    };
    for (const QLocale &region : {QLocale(QLocale::English, QLocale::UnitedKingdom),
                                  QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::French, QLocale::Switzerland)}) {
        QLocale::setDefault(region);
        for (const Row &row : rows) {
            const RateValue read = ReadRateValue(row.text);
            EXPECT_EQ(read.Kind, row.kind)
                << row.text.constData() << " in " << qPrintable(region.name());
            EXPECT_EQ(read.Number, row.value)
                << row.text.constData() << " in " << qPrintable(region.name());
        }
    }
}

} // namespace
} // namespace brenlow
