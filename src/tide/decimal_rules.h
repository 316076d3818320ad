#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace brenlow {

// Nearest integer with halves to the even neighbour (2.5 -> 2, 3.5 -> 4), or nothing when the
// value is not finite or does not fit a 32-bit integer.
std::optional<std::int32_t> RoundToEven32(double value);

// The value written with one decimal as format "0.0" writes it: at least one digit before the
// point, halves rounded away from zero on the value as it reads in decimal (15 significant
// digits), so 2.25 -> "2.3", 1.15 -> "1.2", 0.04 -> "0.0", -0.5 -> "-0.5".
QString FormatOneDecimal(double value);

// The value rounded to one decimal by the same rule (4.25 -> 4.3).
double RoundOneDecimal(double value);

} // namespace brenlow
