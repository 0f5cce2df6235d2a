#pragma once
// A test's own directory that also lists its names and tells file modes.

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace tarvex::testing {

class ScratchDir : public TempDir {
 public:
  // The names in the directory: a leftover temporary file shows up here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  unsigned Mode(const std::string& name) const {
    struct stat info {};
    ::stat(File(name).c_str(), &info);
    return info.st_mode & 07777;
  }
};

}  // namespace tarvex::testing
