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
//
// Details:
// - Letters (H, O, E, D and the hexadecimal digits) match in either case; the
//   period is the decimal point whatever the locale.
// - "&H" / "&O" digits give their unsigned value: "&HFFFF" is 65535 and
//   "&HFFFFFFFF" is 4294967295, never -1. A sign does not apply to them
//   ("-&H10" is 0).
// - An exponent letter without digits is ignored: "1e" and "1E+" are 1.
// - The decimal result is correctly rounded. A value too large for a double is
//   infinity (with its sign), which the narrowing below reports as an
//   overflow; one too small is 0.
double NumericValue(std::string_view text);

// The greatest integer not above the value.
double Floor(double value);

// Narrowing to 16 and 32 bits: nearest integer, halves to the even
// neighbour; a result out of range (or NaN, or infinity) raises run-time
// error 6 (overflow).
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

}  // namespace tarvex::runtime
