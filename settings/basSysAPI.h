#pragma once
// basSysAPI: the settings-file routines over the profile functions, and the
// pointer wrapper.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex::platform {
class Desktop;
}

namespace tarvex::basSysAPI {

// The value stored for `key` in `section` of the file `path`, at most
// `size` - 1 bytes long in the ANSI code page, cut at its first NUL; "" when
// the file, the section or the key is missing.
std::string ReadIniValue(std::string_view section, std::string_view key, std::int32_t size,
                         const std::string& path);

// The part of `value` before its first NUL; all of it when it holds none.
std::string TrimAtNul(std::string_view value);

// Stores the value. Returns false when the file could not be written, in
// which case the file is left exactly as it was.
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::string& path);

// ShowCursor(flag) with the returned counter dropped.
void ShowMouseCursor(platform::Desktop& desktop, std::int32_t flag);

}  // namespace tarvex::basSysAPI
