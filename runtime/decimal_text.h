#pragma once
// Texts that must be a number and nothing else, as the colour setting and
// the dialog's lists are read (stricter than NumericValue, which takes the
// leading number of any text).

#include <optional>
#include <string_view>

namespace tarvex::runtime {

// The value of a text that is wholly one decimal number: blanks (space, tab)
// around it, an optional sign, digits with at most one period, and an
// optional exponent (E or D, optional sign, digits). Nothing otherwise, the
// empty text included.
std::optional<double> WholeDecimalValue(std::string_view text);

}  // namespace tarvex::runtime
