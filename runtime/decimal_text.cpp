#include "runtime/decimal_text.h"

#include <cstddef>

#include "runtime/numeric.h"

namespace tarvex::runtime {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Moves past a run of digits; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos - start;
}

void SkipSign(std::string_view text, std::size_t& pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
}

bool IsDecimalNumber(std::string_view text) {
  std::size_t pos = 0;
  SkipSign(text, pos);
  std::size_t digits = SkipDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    digits += SkipDigits(text, pos);
  }
  if (digits == 0) return false;
  if (pos < text.size() && std::string_view("EeDd").find(text[pos]) != std::string_view::npos) {
    ++pos;
    SkipSign(text, pos);
    if (SkipDigits(text, pos) == 0) return false;
  }
  return pos == text.size();
}

}  // namespace

std::optional<double> WholeDecimalValue(std::string_view text) {
  const std::string_view number = TrimBlanks(text);
  if (!IsDecimalNumber(number)) return std::nullopt;
  return NumericValue(number);
}

}  // namespace tarvex::runtime
