#include "data/field_conversions.h"

#include "core/text_file.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace brenlow {
namespace {

// Exponents beyond this are out of the range of a double either way; saturating here keeps a
// run of exponent digits from overflowing the count.
constexpr std::int64_t ExponentLimit = 1'000'000'000;

// Walks the characters of a text that count for a number, skipping blanks, tabs and line feeds.
class NumberCursor
{
public:
    explicit NumberCursor(QByteArrayView text) : text_(text) { }

    // The next counting character, or -1 at the end.
    int Peek()
    {
        while (pos_ < text_.size() && IsIgnored(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1;
    }
    void Advance() { ++pos_; }
    bool PeekDigit() { return IsDigit(Peek()); }

    static bool IsDigit(int c) { return c >= '0' && c <= '9'; }

private:
    static bool IsIgnored(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    QByteArrayView text_;
    qsizetype pos_ = 0;
};

// Decimal exponent of the first significant digit (1 for 1..9.99, -2 for 0.00x), to tell an
// overflow from an underflow when the number is out of the range of a double.
std::int64_t Magnitude(std::string_view integerDigits, std::string_view fractionDigits,
                       std::int64_t exponent)
{
    const auto firstInteger = integerDigits.find_first_not_of('0');
    if (firstInteger != std::string_view::npos)
        return static_cast<std::int64_t>(integerDigits.size() - firstInteger) + exponent;
    const auto firstFraction = fractionDigits.find_first_not_of('0');
    if (firstFraction == std::string_view::npos)
        return std::numeric_limits<std::int64_t>::min();
    return exponent - static_cast<std::int64_t>(firstFraction);
}

double ReadNumber(QByteArrayView text, bool signAllowed)
{
    NumberCursor in(text);
    bool negative = false;
    if (signAllowed && (in.Peek() == '+' || in.Peek() == '-')) {
        negative = in.Peek() == '-';
        in.Advance();
    }

    std::string integerDigits;
    while (in.PeekDigit()) {
        integerDigits.push_back(static_cast<char>(in.Peek()));
        in.Advance();
    }
    std::string fractionDigits;
    if (in.Peek() == '.') {
        in.Advance();
        while (in.PeekDigit()) {
            fractionDigits.push_back(static_cast<char>(in.Peek()));
            in.Advance();
        }
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0;

    std::int64_t exponent = 0;
    const int marker = in.Peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        in.Advance();
        bool negativeExponent = false;
        if (in.Peek() == '+' || in.Peek() == '-') {
            negativeExponent = in.Peek() == '-';
            in.Advance();
        }
        // Without digits the marker is not part of the number: "1E" reads 1.
        while (in.PeekDigit()) {
            exponent = std::min(ExponentLimit, exponent * 10 + (in.Peek() - '0'));
            in.Advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    std::string number = integerDigits.empty() ? std::string("0") : integerDigits;
    if (!fractionDigits.empty())
        number += '.' + fractionDigits;
    number += 'e' + std::to_string(exponent);

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        value = Magnitude(integerDigits, fractionDigits, exponent) > 0
            ? std::numeric_limits<double>::infinity()
            : 0.0;
    else if (error != std::errc())
        value = 0;
    return negative ? -value : value;
}

// Characters first..first+count-1 (1-based) of text, or as many as it has.
QByteArrayView Characters(QByteArrayView text, qsizetype first, qsizetype count)
{
    if (text.size() < first)
        return {};
    return text.sliced(first - 1, std::min(count, text.size() - first + 1));
}

} // namespace

double ReadLeadingNumber(QByteArrayView text)
{
    return ReadNumber(text, true);
}

double ReadZeroPrefixedNumber(QByteArrayView text)
{
    return ReadNumber(text, false);
}

RateValue ReadRateValue(QByteArrayView text)
{
    QLocale pointNumbers = QLocale::c();
    pointNumbers.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value =
        pointNumbers.toDouble(Windows1252ToUnicode(text.toByteArray()).trimmed(), &ok);
    // A number beyond the range of a double reads as an infinity that is not ok; "inf" itself
    // reads as an ok one.
    if (!ok && std::isinf(value))
        return {RateValue::Status::TooLarge, 0};
    if (!ok || !std::isfinite(value))
        return {RateValue::Status::NotANumber, 0};
    return {RateValue::Status::Number, value};
}

double LongitudeToChartX(QByteArrayView text)
{
    return (38 - ReadLeadingNumber(Characters(text, 5, 5))) / 2;
}

double LatitudeToChartY(QByteArrayView text)
{
    return (54 - ReadLeadingNumber(Characters(text, 4, 5))) / 2;
}

std::optional<double> ReadUserNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (const QLocale &locale : {QLocale(), QLocale::c()}) {
        bool ok = false;
        const double value = locale.toDouble(trimmed, &ok);
        if (ok && std::isfinite(value))
            return value;
    }
    return std::nullopt;
}

std::optional<double> ReadAnimationSpeed(const QString &text)
{
    const std::optional<double> value = ReadUserNumber(text);
    if (!value)
        return std::nullopt;
    return std::clamp(*value, double(SlowestAnimationSpeed), double(FastestAnimationSpeed));
}

} // namespace brenlow
