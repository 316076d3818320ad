#pragma once

#include <QString>

#include <optional>

namespace brenlow {

// Typed into the first height box instead of a height, it opens the flow database
// administration (exact, case-sensitive, whole text).
inline constexpr char AdministratorAccessWord[] = "quillobarne";

// The options window's text inputs, in the order the checks look at them.
enum class OptionsInput { HighWater1, HighWater2, Height1, Height2, Pressure };

// Texts as the user typed them.
struct OptionsEntry
{
    QString HighWater1;
    QString HighWater2;
    QString Height1;
    QString Height2;
    QString Pressure;
};

// The first check that failed: its number (1..8), its message and the input to correct.
struct OptionsFailure
{
    int Number = 0;
    QString Message;
    OptionsInput Focus = OptionsInput::HighWater1;
};

// Accepted pressures in millibars, inclusive; heights take the renderer's range.
inline constexpr double LowestPressure = 940;
inline constexpr double HighestPressure = 1050;

// Runs the eight checks in order and reports the first that fails. Empty inputs pass every
// check.
std::optional<OptionsFailure> CheckOptions(const OptionsEntry &entry);

// The numeric-text test: a number in the user's locale or with a decimal point, optionally
// signed, with an exponent, surrounded by blanks.
bool IsNumericText(const QString &text);

// A number typed in the user's locale written the way the chart reads numbers back: with a
// decimal point and no group separators, so that the value the checks accept is the value
// the chart uses ("4,5" under a comma locale -> "4.5"). A text the point reading already takes
// stays exactly as typed; so does one that is no number at all, for the checks to refuse. A
// comma height stored by an older version reads with the point even under another locale.
QString CanonicalNumberText(const QString &text);

// A high-water text the tide model can read (a time of day, a date, or a date and a time):
// only such a text may be saved, so every stored time is one the chart can use.
bool IsDateOrTimeText(const QString &text);

} // namespace brenlow
