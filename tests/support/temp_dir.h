#pragma once
// A fresh directory for one test, removed with everything in it afterwards,
// read-only files and folders included.

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::testing {

class TempDir {
 public:
  // Process ids repeat (under Wine especially): a folder may be left from a killed run.
  TempDir()
      : path_(std::filesystem::temp_directory_path() /
              ("tarvex-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))) {
    RemoveAll(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { RemoveAll(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // Writes `bytes` exactly to the file `name`; returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return File(name);
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The names in the directory, sorted: a leftover temporary file shows up here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  unsigned Mode(const std::string& name) const {
    return static_cast<unsigned>(std::filesystem::status(path_ / name).permissions());
  }

 private:
  // Windows refuses to delete a read-only file, and POSIX systems the entries
  // of a read-only folder: give the owner write access first. Links are left
  // alone, so nothing outside the folder changes.
  static void RemoveAll(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    fs::recursive_directory_iterator entry(root, fs::directory_options::skip_permission_denied,
                                           error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
      std::error_code ignored;
      if (entry->is_symlink(ignored)) continue;
      const fs::perms access =
          entry->is_directory(ignored) ? fs::perms::owner_all : fs::perms::owner_write;
      fs::permissions(entry->path(), access, fs::perm_options::add, ignored);
    }
    fs::remove_all(root, error);
  }

  static inline std::atomic<int> counter_{0};
  std::filesystem::path path_;
};

}  // namespace tarvex::testing
