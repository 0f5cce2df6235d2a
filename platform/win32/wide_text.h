#pragma once
// Program text (UTF-8) to and from UTF-16, for the few wide calls the windows
// layer makes: drawing text that the ANSI code page may not hold, and the
// text boxes, whose typed characters must come back exactly.

#include <string>
#include <string_view>

namespace tarvex::platform::win32 {

// Invalid UTF-8 becomes U+FFFD.
std::wstring Utf16(std::string_view text);

// Lone surrogates become U+FFFD.
std::string Utf8(std::wstring_view text);

}  // namespace tarvex::platform::win32
