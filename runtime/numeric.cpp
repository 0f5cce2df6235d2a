#include "runtime/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "runtime/runtime_error.h"

namespace tarvex::runtime {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Walks the text one character at a time, stepping over blanks wherever they stand.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  // The next character that is not a blank; '\0' at the end of the text.
  char Peek() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) {
      ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }

  void Advance() { ++pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Hexadecimal ("&H") or octal ("&O") digits: their unsigned value.
double RadixDigits(Cursor& cursor, int radix) {
  double value = 0;
  for (;;) {
    const char c = cursor.Peek();
    int digit = -1;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    }
    if (digit < 0 || digit >= radix) {
      return value;
    }
    value = value * radix + digit;
    cursor.Advance();
  }
}

// Exponents beyond this bound give infinity or zero whatever the digits are.
constexpr std::int64_t kExponentClamp = 100000;

double DecimalNumber(Cursor& cursor) {
  bool negative = false;
  if (const char c = cursor.Peek(); c == '+' || c == '-') {
    negative = c == '-';
    cursor.Advance();
  }

  // The value is 0.<significant> x 10^exponent; leading zeros are not kept.
  std::string significant;
  std::int64_t exponent = 0;
  bool seen_point = false;
  for (;;) {
    const char c = cursor.Peek();
    if (c == '.' && !seen_point) {
      seen_point = true;
    } else if (IsDigit(c)) {
      if (c == '0' && significant.empty()) {
        if (seen_point) {
          --exponent;
        }
      } else {
        significant += c;
        if (!seen_point) {
          ++exponent;
        }
      }
    } else {
      break;
    }
    cursor.Advance();
  }

  if (const char c = cursor.Peek(); c == 'E' || c == 'e' || c == 'D' || c == 'd') {
    cursor.Advance();
    bool negative_exponent = false;
    if (const char s = cursor.Peek(); s == '+' || s == '-') {
      negative_exponent = s == '-';
      cursor.Advance();
    }
    std::int64_t written = 0;
    while (IsDigit(cursor.Peek())) {
      written = std::min<std::int64_t>(written * 10 + (cursor.Peek() - '0'), kExponentClamp);
      cursor.Advance();
    }
    exponent += negative_exponent ? -written : written;
  }

  if (significant.empty()) {
    return 0;  // no digits, or only zeros
  }
  double magnitude = 0;
  if (exponent > 400) {
    magnitude = std::numeric_limits<double>::infinity();
  } else if (exponent >= -400) {
    const std::string normal = "0." + significant + "e" + std::to_string(exponent);
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
      magnitude = exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace

double NumericValue(std::string_view text) {
  Cursor cursor(text);
  if (cursor.Peek() == '&') {
    cursor.Advance();
    const char c = cursor.Peek();
    if (c == 'H' || c == 'h') {
      cursor.Advance();
      return RadixDigits(cursor, 16);
    }
    if (c == 'O' || c == 'o') {
      cursor.Advance();
      return RadixDigits(cursor, 8);
    }
    return 0;
  }
  return DecimalNumber(cursor);
}

double Floor(double value) {
  return std::floor(value);
}

namespace detail {

void RaiseOverflow() {
  throw RuntimeError(kOverflow);
}

}  // namespace detail

}  // namespace tarvex::runtime
