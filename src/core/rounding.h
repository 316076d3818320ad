#pragma once

#include <cstdint>
#include <optional>

namespace brenlow {

// The program's one conversion of a real number to an integer: the nearest integer, a value
// exactly half-way going to the even neighbour (44.5 -> 44, 45.5 -> 46, -12.5 -> -12).

// Nothing when the result does not fit 32 bits (or the value is not a number).
std::optional<std::int32_t> RoundToInt32(double value);

// The same for values that fit; 0 for one that does not. Cheap enough for the glyph, which
// rounds some thirty values per station at every redraw.
std::int32_t NearestInt32(double value);

// The same in 64 bits, for window positions in twips; 0 for a value that does not fit.
std::int64_t NearestInt64(double value);

} // namespace brenlow
