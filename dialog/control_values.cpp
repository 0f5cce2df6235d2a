#include "dialog/control_values.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>

#include "runtime/numeric.h"
#include "runtime/runtime_error.h"

namespace tarvex::dialog {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Counts the digits at `pos` and moves past them.
std::size_t SkipDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos - start;
}

// The value of a text that is wholly a decimal number: an optional sign,
// digits, and an optional fraction after a period; blanks around it allowed.
std::optional<double> DecimalValue(std::string_view text) {
  text = TrimBlanks(text);
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  std::size_t digits = SkipDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    digits += SkipDigits(text, pos);
  }
  if (digits == 0 || pos != text.size()) return std::nullopt;
  return runtime::NumericValue(text);
}

}  // namespace

int SizeListIndex(std::int16_t font_size) {
  if (font_size <= kSmallestSize || font_size > kLargestSize) return 0;
  return font_size - kSmallestSize;
}

int SpeedListIndex(std::int16_t timer_interval) {
  const long step = std::lround(timer_interval / 25.0);
  return static_cast<int>(std::clamp<long>(step, kFastestStep, kSlowestStep)) - kFastestStep;
}

bool IsColorValue(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  if (bits <= 0x00FFFFFFU) return true;
  return bits >= 0x80000000U && bits < 0x80000000U + kDesktopColorCount;
}

std::optional<std::int32_t> StoredColor(std::string_view text) {
  const auto value = DecimalValue(text);
  if (!value) return std::nullopt;
  try {
    const std::int32_t colour = runtime::ToInt32(*value);
    if (IsColorValue(colour)) return colour;
  } catch (const runtime::RuntimeError&) {  // out of range: no colour
  }
  return std::nullopt;
}

std::int16_t ListTextToInt16(std::string_view text) {
  const auto value = DecimalValue(text);
  if (!value) throw runtime::RuntimeError(runtime::kTypeMismatch);
  return runtime::ToInt16(*value);
}

std::string SignedNumberText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace tarvex::dialog
