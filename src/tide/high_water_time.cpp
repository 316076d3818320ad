#include "tide/high_water_time.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

namespace brenlow {

namespace {

// Hours, optional minutes and seconds after ':' or '.', optional AM/PM marker; without a
// marker the minutes are required, so that a bare number is not a time.
std::optional<QTime> ReadTimePart(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{1,2})(?:[:.](\d{1,2})(?:[:.](\d{1,2}))?)?\s*([AaPp]\.?[Mm]\.?)?$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const bool hasMinutes = match.hasCaptured(2);
    const QString marker = match.captured(4);
    if (!hasMinutes && marker.isEmpty())
        return std::nullopt;

    int hours = match.captured(1).toInt();
    const int minutes = hasMinutes ? match.captured(2).toInt() : 0;
    const int seconds = match.hasCaptured(3) ? match.captured(3).toInt() : 0;
    if (!marker.isEmpty()) {
        if (hours > 12)
            return std::nullopt;
        const bool afternoon = marker.front().toUpper() == QLatin1Char('P');
        hours = hours % 12 + (afternoon ? 12 : 0);
    }
    if (hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    return QTime(hours, minutes, seconds);
}

// Day/month/year with '/', '-' or '.' (two-digit years in 1930..2029), or ISO year-month-day.
std::optional<QDate> ReadDatePart(const QString &text)
{
    static const QRegularExpression dayFirst(
        QStringLiteral(R"(^(\d{1,2})([/.\-])(\d{1,2})\2(\d{2}|\d{4})$)"));
    static const QRegularExpression yearFirst(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})$)"));
    if (const QRegularExpressionMatch m = yearFirst.match(text); m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }
    if (const QRegularExpressionMatch m = dayFirst.match(text); m.hasMatch()) {
        int year = m.captured(4).toInt();
        if (m.captured(4).size() == 2)
            year += year < 30 ? 2000 : 1900;
        const QDate date(year, m.captured(3).toInt(), m.captured(1).toInt());
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<QTime> ReadLocaleTime(const QString &text)
{
    const QLocale locale = QLocale::system();
    for (const QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QTime time = locale.toTime(text, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

} // namespace

std::optional<HighWaterTime> ReadHighWaterTime(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;

    // A time alone comes first, so that "14.30.00" is a time rather than a failed date.
    if (const std::optional<QTime> time = ReadTimePart(trimmed))
        return HighWaterTime{*time, false};
    if (ReadDatePart(trimmed))
        return HighWaterTime{QTime(0, 0), true};

    // Date, blank(s), time.
    const qsizetype blank = trimmed.indexOf(QRegularExpression(QStringLiteral(R"(\s)")));
    if (blank > 0 && ReadDatePart(trimmed.left(blank))) {
        if (const std::optional<QTime> time = ReadTimePart(trimmed.mid(blank).trimmed()))
            return HighWaterTime{*time, true};
        return std::nullopt;
    }

    if (const std::optional<QTime> time = ReadLocaleTime(trimmed))
        return HighWaterTime{*time, false};
    return std::nullopt;
}

} // namespace brenlow
