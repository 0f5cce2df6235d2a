#pragma once
// Numbers as the program's language reads and narrows them.

#include <cmath>
#include <cstdint>
#include <limits>
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

namespace detail {

// Raises run-time error 6 (overflow).
[[noreturn]] void RaiseOverflow();

// Nearest integer, halves to the even neighbour: the processor's own
// rounding in its default mode, which is exact for every finite double
// (unlike some C libraries' round(), which misrounds 0.49999999999999994).
// Adding 2^52 leaves no bits below the point, so the sum is rounded there;
// taking it away again is exact. Doubles of 2^52 or more are integers
// already. This is nearbyint without the library call, which saves and
// restores the floating-point state; inline, as the crawl rounds a few
// thousand positions a tick.
inline double RoundHalfToEven(double value) {
  constexpr double kNoFraction = 4503599627370496.0;  // 2^52
  if (!(std::fabs(value) < kNoFraction)) return value;
  const double shift = std::copysign(kNoFraction, value);
  return (value + shift) - shift;
}

template <class Int>
Int Narrow(double value) {
  const double rounded = RoundHalfToEven(value);
  // NaN fails both comparisons, infinities one.
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    RaiseOverflow();
  }
  return static_cast<Int>(rounded);
}

}  // namespace detail

// Narrowing to 16 and 32 bits: nearest integer, halves to the even
// neighbour; a result out of range (or NaN, or infinity) raises run-time
// error 6 (overflow).
inline std::int16_t ToInt16(double value) {
  return detail::Narrow<std::int16_t>(value);
}
inline std::int32_t ToInt32(double value) {
  return detail::Narrow<std::int32_t>(value);
}

}  // namespace tarvex::runtime
