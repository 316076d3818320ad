#include "tide/decimal_rules.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace brenlow {

namespace {

// Below this magnitude the tenths of a double are exact to far better than a millionth, so
// away from the half-way point the binary value rounds as its decimal reading does.
constexpr double FastMagnitude = 1e6;
constexpr double HalfWayMargin = 1e-6;

// The magnitude in tenths, halves away from zero, when that needs no decimal digits.
std::optional<std::int64_t> FastTenths(double magnitude)
{
    if (!(magnitude < FastMagnitude))
        return std::nullopt;
    const double tenths = magnitude * 10;
    const double whole = std::floor(tenths);
    const double fraction = tenths - whole;
    if (std::fabs(fraction - 0.5) <= HalfWayMargin)
        return std::nullopt;
    return static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
}

QString TenthsText(std::int64_t tenths, bool negative)
{
    QString text = QString::number(tenths / 10);
    text.append(QLatin1Char('.'));
    text.append(QLatin1Char(static_cast<char>('0' + tenths % 10)));
    if (negative && tenths != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

} // namespace

QString FormatOneDecimal(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (const std::optional<std::int64_t> tenths = FastTenths(std::fabs(value)))
        return TenthsText(*tenths, value < 0);

    // 15 significant digits, as the value reads in decimal: "d.dddddddddddddde+XX".
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    const char *p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            digits.push_back(*p);
    }
    const int exponent = std::atoi(p + 1);

    // Keep the digits down to the tenths: exponent + 1 before the point, one after it.
    const int keep = exponent + 2;
    std::string kept;
    if (keep <= 0) {
        // Below 0.05 only the half-way test of the first digit matters (0.05 -> 0.1).
        kept.assign(1, (keep == 0 && digits[0] >= '5') ? '1' : '0');
    } else {
        kept = digits.substr(0, std::min<std::size_t>(keep, digits.size()));
        kept.append(static_cast<std::size_t>(keep) - kept.size(), '0');
        if (static_cast<std::size_t>(keep) < digits.size() && digits[keep] >= '5') {
            int i = static_cast<int>(kept.size()) - 1;
            for (; i >= 0 && kept[i] == '9'; --i)
                kept[i] = '0';
            if (i < 0)
                kept.insert(kept.begin(), '1');
            else
                ++kept[i];
        }
    }
    // kept is the value in tenths; drop leading zeros but keep one digit before the point.
    const std::size_t leading = kept.find_first_not_of('0');
    kept.erase(0,
               std::min(leading == std::string::npos ? kept.size() : leading,
                        kept.size() >= 2 ? kept.size() - 2 : 0));
    if (kept.size() < 2)
        kept.insert(kept.begin(), 2 - kept.size(), '0');
    std::string text = kept.substr(0, kept.size() - 1) + '.' + kept.back();
    const bool isZero = text.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !isZero)
        text.insert(text.begin(), '-');
    return QString::fromLatin1(text.c_str());
}

double RoundOneDecimal(double value)
{
    if (!std::isfinite(value))
        return value;
    if (const std::optional<std::int64_t> tenths = FastTenths(std::fabs(value)))
        return (value < 0 ? -1 : 1) * (static_cast<double>(*tenths) / 10);
    return FormatOneDecimal(value).toDouble();
}

} // namespace brenlow
