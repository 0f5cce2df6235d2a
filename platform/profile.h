#pragma once
// The profile functions: reading and writing one value of an INI-style file.
// Arguments and results are program text (UTF-8); the Windows layer converts
// them to and from the ANSI code page for the real calls.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex::platform {

// The value stored for `key` in `section` of the file at `path`, or `fallback`
// when the file, the section or the key is missing. Section and key names
// match without regard to letter case and surrounding blanks; the first
// matching section and key win. Blanks around the value and one pair of
// enclosing single or double quotes are dropped. The value is cut so that it
// takes at most `size` - 1 bytes in the ANSI code page, never leaving half a
// double-byte character.
std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view fallback, std::int32_t size,
                                     const std::string& path);

// Stores `value` for `key` in `section`: replaces an existing value in place,
// appends a missing key to its section, creates a missing section or file.
// Returns false when the file could not be written; the old file is then
// left as it was.
bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, const std::string& path);

}  // namespace tarvex::platform
