#include "saver/color_text.h"

#include <cctype>
#include <cstddef>

#include "runtime/numeric.h"
#include "runtime/runtime_error.h"

namespace tarvex::saver {
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

// Consumes a run of digits; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos - start;
}

bool IsDecimalNumber(std::string_view text) {
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  std::size_t digits = SkipDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    digits += SkipDigits(text, pos);
  }
  if (digits == 0) return false;
  if (pos < text.size() && std::string_view("EeDd").find(text[pos]) != std::string_view::npos) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (SkipDigits(text, pos) == 0) return false;
  }
  return pos == text.size();
}

}  // namespace

platform::OleColor ColorFromText(std::string_view text) {
  const std::string_view number = TrimBlanks(text);
  if (!IsDecimalNumber(number)) throw runtime::RuntimeError(runtime::kTypeMismatch);
  return static_cast<platform::OleColor>(runtime::ToInt32(runtime::NumericValue(number)));
}

}  // namespace tarvex::saver
