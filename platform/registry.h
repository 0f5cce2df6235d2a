#pragma once
// The registry functions the program uses to read the desktop's password
// setting. On Windows these are the real calls; on Linux a REGEDIT4 text file
// stands in for the registry.

#include <cstdint>
#include <string_view>

namespace tarvex::platform {

using RegistryKey = std::uintptr_t;

inline constexpr RegistryKey kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorMoreData = 234;

// Opens `subkey` under `root`; 0 and a handle in `result` on success.
std::int32_t RegOpenKeyExA(RegistryKey root, std::string_view subkey, std::uint32_t options,
                           std::uint32_t access, RegistryKey* result);

// Copies the named value's data into `data` (`*size` bytes available) and
// reports its type and length. A value longer than `*size` fails with
// kErrorMoreData. String data is ANSI text with its terminating NUL.
std::int32_t RegQueryValueExA(RegistryKey key, std::string_view name, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* size);

std::int32_t RegCloseKey(RegistryKey key);

}  // namespace tarvex::platform
