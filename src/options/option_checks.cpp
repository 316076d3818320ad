#include "options/option_checks.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <QTime>

#include <cmath>
#include <cstdlib>
#include <string>

namespace brenlow {
namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool ParsesAsTime(const QString &text)
{
    static const QStringList Formats = {
        QStringLiteral("H:mm"),    QStringLiteral("H:mm:ss"),   QStringLiteral("H.mm"),
        QStringLiteral("H.mm.ss"), QStringLiteral("h:mm AP"),   QStringLiteral("h:mm:ss AP"),
        QStringLiteral("h:mmAP"),  QStringLiteral("h:mm:ssAP"), QStringLiteral("h AP"),
        QStringLiteral("h.mm AP"),
    };
    for (const QString &format : Formats) {
        if (QTime::fromString(text, format).isValid())
            return true;
    }
    const QLocale locale;
    return locale.toTime(text, QLocale::ShortFormat).isValid()
        || locale.toTime(text, QLocale::LongFormat).isValid();
}

bool ParsesAsDate(const QString &text)
{
    static const QStringList Formats = {
        QStringLiteral("d/M/yyyy"),    QStringLiteral("d/M/yy"),   QStringLiteral("yyyy-M-d"),
        QStringLiteral("d-M-yyyy"),    QStringLiteral("d.M.yyyy"), QStringLiteral("d MMM yyyy"),
        QStringLiteral("d MMMM yyyy"),
    };
    for (const QString &format : Formats) {
        if (QDate::fromString(text, format).isValid())
            return true;
    }
    const QLocale locale;
    return locale.toDate(text, QLocale::ShortFormat).isValid()
        || locale.toDate(text, QLocale::LongFormat).isValid();
}

QString HighWaterMessage(int tide)
{
    return QStringLiteral("Highwater Portsmouth %1 Date is not valid\r\n"
                          "please enter hw using xx.xx format")
        .arg(tide);
}

bool HeightOutOfRange(const QString &text)
{
    const double value = LeadingNumberOf(text);
    return value < LowestHeight || value > HighestHeight;
}

} // namespace

double LeadingNumberOf(const QString &text)
{
    const QString source = QLatin1Char('0') + text;
    std::string number;
    bool seenPoint = false;
    qsizetype i = 0;
    for (; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (IsBlank(c))
            continue;
        if (IsDigit(c)) {
            number.push_back(static_cast<char>(c.unicode()));
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            number.push_back('.');
        } else {
            break;
        }
    }
    // An exponent counts only when digits follow it: "4e2" is 400, "4e" and "4em" are 4.
    if (i < source.size()) {
        const QChar e = source.at(i).toLower();
        if (e == QLatin1Char('e') || e == QLatin1Char('d')) {
            std::string exponent = "e";
            qsizetype j = i + 1;
            while (j < source.size() && IsBlank(source.at(j)))
                ++j;
            if (j < source.size()
                && (source.at(j) == QLatin1Char('+') || source.at(j) == QLatin1Char('-'))) {
                exponent.push_back(static_cast<char>(source.at(j).unicode()));
                ++j;
            }
            bool digits = false;
            for (; j < source.size(); ++j) {
                if (IsBlank(source.at(j)))
                    continue;
                if (!IsDigit(source.at(j)))
                    break;
                exponent.push_back(static_cast<char>(source.at(j).unicode()));
                digits = true;
            }
            if (digits)
                number += exponent;
        }
    }
    // Overflow reads as infinity, which every range check refuses.
    return std::strtod(number.c_str(), nullptr);
}

bool IsNumericText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (const QLocale &locale : {QLocale(), QLocale::c()}) {
        bool ok = false;
        const double value = locale.toDouble(trimmed, &ok);
        if (ok && std::isfinite(value))
            return true;
    }
    return false;
}

bool IsDateOrTimeText(const QString &text)
{
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return false;
    if (ParsesAsTime(trimmed) || ParsesAsDate(trimmed))
        return true;
    const QLocale locale;
    if (locale.toDateTime(trimmed, QLocale::ShortFormat).isValid()
        || locale.toDateTime(trimmed, QLocale::LongFormat).isValid())
        return true;
    // A date followed by a time: "08/12/2026 14:30", "08/12/2026 2:30 PM".
    const QStringList words = trimmed.split(QLatin1Char(' '));
    for (qsizetype split = 1; split < words.size(); ++split) {
        const QString datePart = words.mid(0, split).join(QLatin1Char(' '));
        const QString timePart = words.mid(split).join(QLatin1Char(' '));
        if (ParsesAsDate(datePart) && ParsesAsTime(timePart))
            return true;
    }
    return false;
}

std::optional<OptionsFailure> CheckOptions(const OptionsEntry &entry)
{
    using In = OptionsInput;
    if (!entry.HighWater1.isEmpty() && !IsDateOrTimeText(entry.HighWater1))
        return OptionsFailure {1, HighWaterMessage(1), In::HighWater1};
    if (!entry.HighWater2.isEmpty() && !IsDateOrTimeText(entry.HighWater2))
        return OptionsFailure {2, HighWaterMessage(2), In::HighWater2};
    if (!entry.Height1.isEmpty() && !IsNumericText(entry.Height1))
        return OptionsFailure {3, QStringLiteral("Height 1 is not a Numeric Value, Please correct"),
                               In::Height1};
    if (!entry.Height2.isEmpty() && !IsNumericText(entry.Height2))
        return OptionsFailure {4, QStringLiteral("Height 2 is not a Numeric Value, Please correct"),
                               In::Height2};
    if (!entry.Height1.isEmpty() && HeightOutOfRange(entry.Height1))
        return OptionsFailure {
            5, QStringLiteral("Height 1 is not valid range is 3.4-5.0, Please correct"),
            In::Height1};
    if (!entry.Height2.isEmpty() && HeightOutOfRange(entry.Height2))
        return OptionsFailure {
            6, QStringLiteral("Height 2 is not valid range is 3.4-5.0, Please correct"),
            In::Height2};
    if (!entry.Pressure.isEmpty() && !IsNumericText(entry.Pressure))
        return OptionsFailure {
            7, QStringLiteral("Barometric Pressure is not a Numeric Value, Please correct"),
            In::Pressure};
    if (!entry.Pressure.isEmpty()) {
        const double pressure = LeadingNumberOf(entry.Pressure);
        if (pressure < LowestPressure || pressure > HighestPressure)
            return OptionsFailure {8,
                                   QStringLiteral("Barometric Pressure range is invalid, needs to "
                                                  "be between 940 and 1050"),
                                   In::Pressure};
    }
    return std::nullopt;
}

} // namespace brenlow
