#pragma once
// One value line of a REGEDIT4 file:
//   "Name"="text"            REG_SZ; \\ and \" are the only escapes
//   "Name"=dword:00000001    REG_DWORD, hexadecimal
//   "Name"=hex:01,00,00,00   REG_BINARY; a line ending in '\' goes on below
//   "Name"=hex(7):61,00,00   data bytes of any type number (hexadecimal)
//   @=...                    the key's default value (name "")

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tarvex::platform::posix {

struct RegistryValue {
  std::uint32_t type = kRegBinary;
  // A value written as "text" holds program text; the others hold their
  // data bytes.
  bool is_text = false;
  std::string text;
  std::string bytes;

  static RegistryValue String(std::string_view text);
  static RegistryValue Dword(std::uint32_t value);
  static RegistryValue Binary(std::string_view bytes, std::uint32_t type = kRegBinary);

  // The data RegQueryValueExA hands back: text as ANSI bytes followed by
  // its terminating NUL, a dword as four little-endian bytes.
  std::string QueryData() const;
};

struct RegistryEntry {
  std::string name;
  std::optional<RegistryValue> value;  // nothing: a deletion ("-") or unreadable data
};

// The entry of a value line (continuation lines already joined, their
// backslashes removed); nothing for a line that is no value line.
std::optional<RegistryEntry> ParseRegistryEntry(std::string_view line);

// True for a value line with hexadecimal data that ends in a backslash.
bool ContinuesOnNextLine(std::string_view line);

// The value line that stores `value` under `name`; nothing when the name or
// the text holds a line break, which would break the file's structure.
std::optional<std::string> FormatRegistryEntry(std::string_view name, const RegistryValue& value);

}  // namespace tarvex::platform::posix
