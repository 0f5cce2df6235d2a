#pragma once
// Writing several values of a settings file as one change.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::dialog {

struct IniValue {
  std::string key;
  std::string value;
};

// Stores one value; false when the file could not be written.
using IniValueWriter = std::function<bool(std::string_view section, std::string_view key,
                                          std::string_view value, const std::string& path)>;

// Stores the values, in order, in `section` of the file at `path` (program
// text, UTF-8). Either all of them are stored or the file is left exactly as
// it was, byte for byte; false in the second case. The writes go to a copy
// beside the file ("<path>.saving"), which then replaces the file in one
// rename, so a failing write (a read-only file or directory, a full disk)
// never leaves the file half-updated. A file the user cannot write, or
// without any write permission bit, is never replaced, even where its
// directory would allow it. Through a symbolic link, the target is updated.
bool WriteIniValues(std::string_view section, const std::vector<IniValue>& values,
                    const std::string& path, const IniValueWriter& write);

}  // namespace tarvex::dialog
