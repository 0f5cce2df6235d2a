#include "dialog/control_values.h"

#include <algorithm>
#include <cmath>

#include "runtime/decimal_text.h"
#include "runtime/numeric.h"
#include "runtime/runtime_error.h"

namespace tarvex::dialog {

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
  const auto value = runtime::WholeDecimalValue(text);
  if (!value) return std::nullopt;
  try {
    const std::int32_t colour = runtime::ToInt32(*value);
    if (IsColorValue(colour)) return colour;
  } catch (const runtime::RuntimeError&) {  // out of range: no colour
  }
  return std::nullopt;
}

std::int16_t ListTextToInt16(std::string_view text) {
  const auto value = runtime::WholeDecimalValue(text);
  if (!value) throw runtime::RuntimeError(runtime::kTypeMismatch);
  return runtime::ToInt16(*value);
}

std::string SignedNumberText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace tarvex::dialog
