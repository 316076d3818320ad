#pragma once

#include <QString>

namespace brenlow {

// The value written with one decimal as format "0.0" writes it: at least one digit before the
// point, halves rounded away from zero on the value as it reads in decimal (15 significant
// digits), so 2.25 -> "2.3", 1.15 -> "1.2", 0.04 -> "0.0", -0.5 -> "-0.5".
QString FormatOneDecimal(double value);

// The value rounded to one decimal by the same rule (4.25 -> 4.3).
double RoundOneDecimal(double value);

} // namespace brenlow
