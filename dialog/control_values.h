#pragma once
// How the dialog turns stored settings into control states and back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::dialog {

// The size list holds "10" to "72"; the speed list "1" to "10".
inline constexpr int kSmallestSize = 10;
inline constexpr int kLargestSize = 72;
inline constexpr int kFastestStep = 1;
inline constexpr int kSlowestStep = 10;

// Desktop colours are 0x80000000 + n for n below this count.
inline constexpr int kDesktopColorCount = 31;

// The size list entry for a stored size: the size's own entry, and "10" for
// sizes of 10 or less and above 72.
int SizeListIndex(std::int16_t font_size);

// The speed list entry for a timer period in milliseconds: the step
// period / 25, or the nearest step of the list when that is not one of them.
int SpeedListIndex(std::int16_t timer_interval);

// True for a plain colour 0x00BBGGRR and for a desktop colour number.
bool IsColorValue(std::int32_t value);

// The colour a stored colour text names: a decimal number (blanks around it
// allowed, a fraction rounded) that is a colour value; nothing otherwise.
std::optional<std::int32_t> StoredColor(std::string_view text);

// A list's text as a 16-bit integer. Raises run-time error 13 (type mismatch)
// for a text that is not a decimal number, an empty one included, and 6 when
// the number does not fit.
std::int16_t ListTextToInt16(std::string_view text);

// A number as the dialog stores a size: a blank before it unless it is
// negative (" 24", "-3").
std::string SignedNumberText(int value);

}  // namespace tarvex::dialog
