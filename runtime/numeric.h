#pragma once
// Numbers as the program's language reads and narrows them.

#include <cstdint>
#include <string_view>

namespace tarvex::runtime {

// The numeric value of a text: the longest leading part that reads as a
// number. Blanks (space, tab, CR, LF) are skipped anywhere, even between
// digits. Then an optional sign, decimal digits with at most one period, and
// an optional exponent (E or D, optional sign, digits); or "&H" / "&O"
// followed by hexadecimal / octal digits. No such part gives 0.
double NumericValue(std::string_view text);

// The greatest integer not above the value.
double Floor(double value);

// Narrowing to 16 and 32 bits: nearest integer, halves to the even
// neighbour; a result out of range (or NaN) raises run-time error 6.
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

}  // namespace tarvex::runtime
