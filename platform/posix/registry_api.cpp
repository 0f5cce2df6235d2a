// The registry functions over the registry file. Opening a key reads the
// file once; the handle then answers from that snapshot until it is closed.

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/posix/registry_file.h"
#include "platform/registry.h"

namespace tarvex::platform {

namespace {

constexpr std::int32_t kErrorAccessDenied = 5;
constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::int32_t kErrorInvalidParameter = 87;
constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";

struct OpenKey {
  std::shared_ptr<const posix::RegistryFile> file;
  std::string path;
};

// Open keys by handle: small numbers, never 0 and never a predefined root.
class HandleTable {
 public:
  RegistryKey Add(OpenKey key) {
    const std::lock_guard lock(mutex_);
    while (next_ == 0 || keys_.contains(next_)) {
      ++next_;
    }
    keys_.emplace(next_, std::move(key));
    return next_++;
  }

  std::optional<OpenKey> Find(RegistryKey handle) {
    const std::lock_guard lock(mutex_);
    const auto found = keys_.find(handle);
    if (found == keys_.end()) {
      return std::nullopt;
    }
    return found->second;
  }

  bool Remove(RegistryKey handle) {
    const std::lock_guard lock(mutex_);
    return keys_.erase(handle) == 1;
  }

 private:
  std::mutex mutex_;
  std::map<RegistryKey, OpenKey> keys_;
  RegistryKey next_ = 1;
};

HandleTable& Handles() {
  static HandleTable table;
  return table;
}

}  // namespace

std::int32_t RegOpenKeyExA(RegistryKey root, std::string_view subkey, std::uint32_t /*options*/,
                           std::uint32_t /*access*/, RegistryKey* result) {
  if (result == nullptr) {
    return kErrorInvalidParameter;
  }
  *result = 0;
  // The stand-in holds the current user's keys only.
  if (root != kHkeyCurrentUser) {
    return kErrorFileNotFound;
  }
  auto file = std::make_shared<posix::RegistryFile>();
  switch (file->Load(posix::RegistryFilePath())) {
    case posix::RegistryFile::LoadResult::kMissing:
      return kErrorFileNotFound;
    case posix::RegistryFile::LoadResult::kFailed:
      return kErrorAccessDenied;
    case posix::RegistryFile::LoadResult::kLoaded:
      break;
  }
  std::string path(kCurrentUser);
  if (!subkey.empty()) {
    path += "\\" + std::string(subkey);
  }
  if (!file->HasKey(path)) {
    return kErrorFileNotFound;
  }
  *result = Handles().Add({std::move(file), std::move(path)});
  return kErrorSuccess;
}

std::int32_t RegQueryValueExA(RegistryKey key, std::string_view name, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* size) {
  const std::optional<OpenKey> open = Handles().Find(key);
  if (!open) {
    return kErrorInvalidHandle;
  }
  if (data != nullptr && size == nullptr) {
    return kErrorInvalidParameter;
  }
  const std::optional<posix::RegistryValue> value = open->file->Get(open->path, name);
  if (!value) {
    return kErrorFileNotFound;
  }
  const std::string bytes = value->QueryData();
  if (type != nullptr) {
    *type = value->type;
  }
  if (size == nullptr) {
    return kErrorSuccess;
  }
  const std::uint32_t available = *size;
  *size = static_cast<std::uint32_t>(bytes.size());
  if (data == nullptr) {
    return kErrorSuccess;
  }
  if (bytes.size() > available) {
    return kErrorMoreData;
  }
  std::copy(bytes.begin(), bytes.end(), data);
  return kErrorSuccess;
}

std::int32_t RegCloseKey(RegistryKey key) {
  return Handles().Remove(key) ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace tarvex::platform
