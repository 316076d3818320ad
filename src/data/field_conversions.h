#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace brenlow {

// The leading decimal number of a text. Blanks, tabs and line feeds anywhere in it are
// ignored; then an optional sign, digits, an optional point and more digits, and an optional
// exponent (E or D, optional sign, digits) make up the number; reading stops at the first other
// character. No digit reads 0. The point is the decimal separator whatever the user's regional
// settings.
//   " 1 2.5x" reads 12.5    "-.5D1" reads -5    "abc" reads 0    "1E" reads 1
// A number beyond the range of a double reads as an infinity (callers report an overflow); one
// too small for it reads 0.
double ReadLeadingNumber(QByteArrayView text);

// The number read from "0" followed by text, as the flow database reads its rates, directions
// and heights: as ReadLeadingNumber, except that the implied leading 0 ends the number at a
// sign, so "-1" reads 0 and ".5" reads 0.5.
double ReadZeroPrefixedNumber(QByteArrayView text);

// A value of the rate table, read as a whole: blanks around it, an optional sign, digits with
// the point as decimal separator, an optional exponent (E). The point is used whatever the
// user's regional settings: the values are separated by commas, so a decimal comma cannot
// stand in them.
//   " 4.7 " reads 4.7   "-1E2" reads -100   "4,7" "4.7kn" "inf" are not numbers
struct RateValue
{
    enum class Status { Number, NotANumber, TooLarge };
    Status Kind = Status::NotANumber;
    double Number = 0; // when Kind is Number
};
RateValue ReadRateValue(QByteArrayView text);

// A number typed by the user: written in the user's regional format or with a decimal point,
// blanks around it allowed; nothing for an empty text, a text that is not wholly a number, or
// a number beyond the range of a double.
std::optional<double> ReadUserNumber(const QString &text);

// The animation speeds, slowest to fastest (the options window's slider positions), and the
// speed a stored text that is no number plays at.
inline constexpr int SlowestAnimationSpeed = 1;
inline constexpr int FastestAnimationSpeed = 4;
inline constexpr double DefaultAnimationSpeed = 2;

// A stored animation speed as a number (ReadUserNumber) kept within the speeds; nothing for a
// text that is no number.
std::optional<double> ReadAnimationSpeed(const QString &text);

// Chart units of a longitude text: (38 - v) / 2, v the number read from its characters 5 to 9
// (minutes of longitude west; the degrees before them are not read). A text of four characters
// or fewer gives 19.
double LongitudeToChartX(QByteArrayView text);

// Chart units of a latitude text: (54 - v) / 2, v the number read from its characters 4 to 8
// (minutes of latitude north). A text of three characters or fewer gives 27.
double LatitudeToChartY(QByteArrayView text);

} // namespace brenlow
