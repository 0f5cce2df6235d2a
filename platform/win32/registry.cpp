// The registry functions: the system's own, with names converted to the ANSI
// code page.

#include <windows.h>

#include "platform/registry.h"
#include "platform/win32/text_arguments.h"

namespace tarvex::platform {

namespace {

constexpr RegistryKey kFirstPredefinedKey = 0x80000000u;
constexpr RegistryKey kLastPredefinedKey = 0x80000006u;

// The predefined roots are 32-bit values that the system sign-extends in a
// 64-bit handle; any other value is a handle an open returned.
HKEY ToHandle(RegistryKey key) {
  if (key >= kFirstPredefinedKey && key <= kLastPredefinedKey) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the system's own definition
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(key);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace

std::int32_t RegOpenKeyExA(RegistryKey root, std::string_view subkey, std::uint32_t options,
                           std::uint32_t access, RegistryKey* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = 0;
  const auto name = win32::AnsiArgument(subkey);
  if (!name) return ERROR_FILE_NOT_FOUND;  // no key has a name the code page cannot hold
  HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExA(ToHandle(root), name->c_str(), options, access, &opened);
  if (status == ERROR_SUCCESS) *result = reinterpret_cast<RegistryKey>(opened);
  return status;
}

std::int32_t RegQueryValueExA(RegistryKey key, std::string_view name, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* size) {
  if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
  const auto valueName = win32::AnsiArgument(name);
  if (!valueName) return ERROR_FILE_NOT_FOUND;
  DWORD valueType = 0;
  DWORD valueSize = size != nullptr ? *size : 0;
  const LONG status = ::RegQueryValueExA(ToHandle(key), valueName->c_str(), nullptr, &valueType,
                                         data, size != nullptr ? &valueSize : nullptr);
  if (type != nullptr) *type = valueType;
  if (size != nullptr) *size = valueSize;
  return status;
}

std::int32_t RegCloseKey(RegistryKey key) {
  return ::RegCloseKey(ToHandle(key));
}

}  // namespace tarvex::platform
