#pragma once
// Text helpers of the line-based files we keep (profile and registry files):
// a blank is a space or a tab, letter case is ASCII letter case.

#include <string_view>

namespace tarvex::platform::posix {

bool IsBlank(char c);

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// A line break or NUL would split a line of the file in two.
bool HasLineBreakOrNul(std::string_view text);

}  // namespace tarvex::platform::posix
