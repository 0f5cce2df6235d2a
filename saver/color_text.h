#pragma once
// The colour setting's text as a colour value.

#include <string_view>

#include "platform/saver_window_host.h"

namespace tarvex::saver {

// The text must hold one decimal number and nothing else (blanks around it
// are allowed): a sign, digits with at most one period, an optional exponent.
// It is rounded to a signed 32-bit value, halves to even, whose bits are the
// colour. Raises run-time error 13 for any other text, the empty one included,
// and 6 for a number outside the 32-bit range.
platform::OleColor ColorFromText(std::string_view text);

}  // namespace tarvex::saver
