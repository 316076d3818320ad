#include "options/option_checks.h"

#include "core/heights.h"
#include "data/field_conversions.h"
#include "tide/high_water_time.h"

#include <QLocale>

namespace brenlow {
namespace {

QString HighWaterMessage(int tide)
{
    return QStringLiteral("Highwater Portsmouth %1 Date is not valid\r\n"
                          "please enter hw using xx.xx format")
        .arg(tide);
}

// The value of an input for the range checks, as the renderer reads a height: the leading
// number of "0" followed by the text ("-4" reads 0, ".5" reads 0.5).
double ValueOf(const QString &text)
{
    return ReadZeroPrefixedNumber(text.toLatin1());
}

bool HeightOutOfRange(const QString &text)
{
    const double value = ValueOf(text);
    return value < LowestHeight || value > HighestHeight;
}

} // namespace

QString CanonicalNumberText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return text;
    QLocale pointNumbers = QLocale::c();
    pointNumbers.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    pointNumbers.toDouble(trimmed, &ok);
    if (ok)
        return text;
    if (const std::optional<double> value = ReadUserNumber(trimmed))
        return QLocale::c().toString(*value, 'g', 15);
    if (trimmed.count(QLatin1Char(',')) == 1 && !trimmed.contains(QLatin1Char('.'))) {
        const QString withPoint = QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.'));
        pointNumbers.toDouble(withPoint, &ok);
        if (ok)
            return withPoint;
    }
    return text;
}

bool IsNumericText(const QString &text)
{
    return ReadUserNumber(text).has_value();
}

bool IsDateOrTimeText(const QString &text)
{
    return ReadHighWaterTime(text).has_value();
}

std::optional<OptionsFailure> CheckOptions(const OptionsEntry &entry)
{
    using In = OptionsInput;
    if (!entry.HighWater1.isEmpty() && !IsDateOrTimeText(entry.HighWater1))
        return OptionsFailure{1, HighWaterMessage(1), In::HighWater1};
    if (!entry.HighWater2.isEmpty() && !IsDateOrTimeText(entry.HighWater2))
        return OptionsFailure{2, HighWaterMessage(2), In::HighWater2};
    if (!entry.Height1.isEmpty() && !IsNumericText(entry.Height1))
        return OptionsFailure{3, QStringLiteral("Height 1 is not a Numeric Value, Please correct"),
                              In::Height1};
    if (!entry.Height2.isEmpty() && !IsNumericText(entry.Height2))
        return OptionsFailure{4, QStringLiteral("Height 2 is not a Numeric Value, Please correct"),
                              In::Height2};
    if (!entry.Height1.isEmpty() && HeightOutOfRange(entry.Height1))
        return OptionsFailure{
            5, QStringLiteral("Height 1 is not valid range is 3.4-5.0, Please correct"),
            In::Height1};
    if (!entry.Height2.isEmpty() && HeightOutOfRange(entry.Height2))
        return OptionsFailure{
            6, QStringLiteral("Height 2 is not valid range is 3.4-5.0, Please correct"),
            In::Height2};
    if (!entry.Pressure.isEmpty() && !IsNumericText(entry.Pressure))
        return OptionsFailure{
            7, QStringLiteral("Barometric Pressure is not a Numeric Value, Please correct"),
            In::Pressure};
    if (!entry.Pressure.isEmpty()) {
        const double pressure = ValueOf(entry.Pressure);
        if (pressure < LowestPressure || pressure > HighestPressure)
            return OptionsFailure{8,
                                  QStringLiteral("Barometric Pressure range is invalid, needs to "
                                                 "be between 940 and 1050"),
                                  In::Pressure};
    }
    return std::nullopt;
}

} // namespace brenlow
