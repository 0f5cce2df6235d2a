#pragma once
// The screen-saver switch on the command line: only its first two characters
// count, compared exactly in the order "/C", "/c", "", "/P", "/p", "/S", "/s",
// "/a", "/A"; anything else runs the saver.

#include <cstdint>
#include <string_view>

namespace tarvex::basKORVAN {

enum class Mode { kSettings, kPreview, kSaver, kPasswordChange };

Mode DispatchSwitch(std::string_view commandLine);

// The parent window handle that follows "/a": the number in the text from
// its third character on, spaces trimmed, rounded to 16 bits (run-time error
// 6 when out of range) and widened; 0 when there is no number.
std::int32_t PasswordParentHandle(std::string_view commandLine);

}  // namespace tarvex::basKORVAN
