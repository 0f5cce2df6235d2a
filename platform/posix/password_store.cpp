#include "platform/posix/password_store.h"

#include <crypt.h>

#include <array>
#include <cstring>
#include <memory>
#include <utility>

namespace tarvex::platform::posix {

namespace {

constexpr std::string_view kHashValue = "ScreenSave_Data";
constexpr std::string_view kUseValue = "ScreenSaveUsePassword";

bool IsAcceptable(std::string_view password) {
  return password.size() <= PasswordStore::kMaxPasswordBytes &&
         password.find('\0') == std::string_view::npos;
}

// crypt_r's working memory, wiped when done: it holds material derived from
// the password.
class CryptScratch {
 public:
  CryptScratch() : data_(std::make_unique<crypt_data>()) {}
  ~CryptScratch() { ::explicit_bzero(data_.get(), sizeof(crypt_data)); }
  CryptScratch(const CryptScratch&) = delete;
  CryptScratch& operator=(const CryptScratch&) = delete;

  crypt_data* get() const noexcept { return data_.get(); }

 private:
  std::unique_ptr<crypt_data> data_;
};

// The hash of `password` under `setting` (a fresh salt or a stored hash);
// nothing when the method fails.
std::optional<std::string> Hash(std::string_view password, const std::string& setting) {
  std::string key(password);
  const CryptScratch scratch;
  const char* hash = ::crypt_r(key.c_str(), setting.c_str(), scratch.get());
  ::explicit_bzero(key.data(), key.size());
  // Failures come back as a text starting with '*'. A setting without a
  // method prefix selects the legacy DES method, which looks at eight
  // characters only: its hashes are refused too.
  if (hash == nullptr || hash[0] != '$') {
    return std::nullopt;
  }
  return std::string(hash);
}

std::optional<std::string> NewYescryptSalt() {
  std::array<char, CRYPT_GENSALT_OUTPUT_SIZE> salt{};
  if (::crypt_gensalt_rn("$y$", 0, nullptr, 0, salt.data(), salt.size()) == nullptr) {
    return std::nullopt;
  }
  return std::string(salt.data());
}

// Takes as long for a near miss as for a far one. The lengths are no secret.
bool ConstantTimeEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  unsigned difference = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    difference |= static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i]);
  }
  return difference == 0;
}

bool Matches(std::string_view password, const std::string& stored) {
  if (!IsAcceptable(password)) {
    return false;
  }
  if (stored.empty()) {
    return password.empty();
  }
  const std::optional<std::string> hash = Hash(password, stored);
  return hash && ConstantTimeEqual(*hash, stored);
}

}  // namespace

PasswordStore::PasswordStore(std::string registry_path) : path_(std::move(registry_path)) {}

bool PasswordStore::HasPassword() const {
  const std::optional<std::string> stored = StoredHash();
  return !stored || !stored->empty();
}

bool PasswordStore::Verify(std::string_view password) const {
  const std::optional<std::string> stored = StoredHash();
  return stored && Matches(password, *stored);
}

PasswordStore::ChangeResult PasswordStore::ChangePassword(std::string_view old_password,
                                                          std::string_view new_password) {
  const std::optional<std::string> stored = StoredHash();
  if (!stored) {
    return ChangeResult::kWriteFailed;
  }
  if (!stored->empty() && !Matches(old_password, *stored)) {
    return ChangeResult::kWrongOldPassword;
  }
  if (!IsAcceptable(new_password)) {
    return ChangeResult::kInvalidNewPassword;
  }
  std::string hash;
  if (!new_password.empty()) {
    const std::optional<std::string> salt = NewYescryptSalt();
    const std::optional<std::string> new_hash = salt ? Hash(new_password, *salt) : std::nullopt;
    if (!new_hash) {
      return ChangeResult::kWriteFailed;
    }
    hash = *new_hash;
  }
  return Store(kHashValue, RegistryValue::String(hash)) ? ChangeResult::kOk
                                                        : ChangeResult::kWriteFailed;
}

bool PasswordStore::UsePassword() const {
  RegistryFile file;
  if (file.Load(path_) != RegistryFile::LoadResult::kLoaded) {
    return false;
  }
  const std::optional<RegistryValue> value = file.Get(kDesktopKey, kUseValue);
  if (!value) {
    return false;
  }
  std::string data = value->QueryData();
  if (data.size() > 4) {
    return false;
  }
  data.resize(2, '\0');
  return data[0] != '\0' || data[1] != '\0';
}

bool PasswordStore::SetUsePassword(bool use) {
  return Store(kUseValue, RegistryValue::Dword(use ? 1 : 0));
}

std::optional<std::string> PasswordStore::StoredHash() const {
  RegistryFile file;
  if (file.Load(path_) == RegistryFile::LoadResult::kFailed) {
    return std::nullopt;
  }
  const std::optional<RegistryValue> value = file.Get(kDesktopKey, kHashValue);
  if (!value) {
    return std::string();
  }
  // A value of another type was not written here: whether a password is set is unknown.
  if (!value->is_text) {
    return std::nullopt;
  }
  return value->text;
}

bool PasswordStore::Store(std::string_view name, const RegistryValue& value) const {
  RegistryFile file;
  if (file.Load(path_) == RegistryFile::LoadResult::kFailed) {
    return false;
  }
  return file.Set(kDesktopKey, name, value) && file.Save(path_);
}

}  // namespace tarvex::platform::posix
