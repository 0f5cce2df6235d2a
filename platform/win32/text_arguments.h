#pragma once
// Program text (UTF-8) handed to the ANSI forms of the system's calls.

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::platform::win32 {

// The text in the ANSI code page as a NUL-terminated argument; nothing when
// the code page cannot hold it or it holds a NUL (the call would see less
// than it was given).
std::optional<std::string> AnsiArgument(std::string_view text);

}  // namespace tarvex::platform::win32
