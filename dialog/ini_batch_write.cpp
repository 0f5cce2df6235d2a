#include "dialog/ini_batch_write.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace tarvex::dialog {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// A file without any write permission bit is locked by its owner, even
// against the superuser; opening for update truncates nothing and fails
// where writing would.
bool CanUpdate(const fs::path& file) {
  std::error_code ec;
  const fs::perms perms = fs::status(file, ec).permissions();
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (ec || (perms & kAnyWrite) == fs::perms::none) return false;
  const std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
  return stream.is_open();
}

// A settings file reached through a symbolic link is updated at its target.
fs::path LinkTarget(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_symlink(file, ec)) return file;
  const fs::path target = fs::weakly_canonical(file, ec);
  return ec ? file : target;
}

// Makes `copy` the starting point of the new file: the old file's bytes, or
// no file when there is no old one. False when that could not be done.
bool StartCopy(const fs::path& file, const fs::path& copy) {
  std::error_code ec;
  const bool exists = fs::exists(file, ec);
  if (ec) return false;
  if (!exists) {
    fs::remove(copy, ec);
    return !ec;
  }
  if (!CanUpdate(file)) return false;
  return fs::copy_file(file, copy, fs::copy_options::overwrite_existing, ec) && !ec;
}

// Gives the copy the old file's permissions and puts it in the file's place.
bool ReplaceWithCopy(const fs::path& file, const fs::path& copy) {
  std::error_code ec;
  const auto old_status = fs::status(file, ec);
  if (!ec && fs::exists(old_status)) {
    fs::permissions(copy, old_status.permissions(), ec);
    if (ec) return false;
  }
  fs::rename(copy, file, ec);
  return !ec;
}

}  // namespace

bool WriteIniValues(std::string_view section, const std::vector<IniValue>& values,
                    const std::string& path, const IniValueWriter& write) {
  const fs::path file = LinkTarget(PathOf(path));
  const fs::path copy = fs::path(file).concat(".saving");
  const auto utf8 = copy.u8string();
  const std::string copy_path(utf8.begin(), utf8.end());
  bool done = StartCopy(file, copy);
  for (const auto& [key, value] : values) {
    if (!done) break;
    done = write(section, key, value, copy_path);
  }
  done = done && ReplaceWithCopy(file, copy);
  if (!done) {
    std::error_code ignored;
    fs::remove(copy, ignored);
  }
  return done;
}

}  // namespace tarvex::dialog
