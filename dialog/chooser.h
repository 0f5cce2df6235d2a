#pragma once
// The dialog's chooser component: one object serving a file-open chooser and
// a colour chooser, with a type filter and the last confirmed file name and
// colour, which it keeps for as long as it lives.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_window_host.h"

namespace tarvex::dialog {

// A type filter "label|pattern|label|pattern..." as its label-pattern pairs.
// A label without a pattern after it gets an empty one.
std::vector<platform::FileTypeFilter> ParseTypeFilter(std::string_view filter);

class Chooser {
 public:
  Chooser(platform::DialogWindowHost& host, std::string_view filter);

  // The 1-based type entry the next file chooser preselects.
  int FilterIndex = 0;

  const std::string& FileName() const noexcept { return file_name_; }
  std::int32_t Color() const noexcept { return color_; }

  // Runs the modal file-open chooser, starting at the last confirmed name.
  // True when a file was confirmed; FileName() is then its full path.
  // A cancelled chooser keeps the last confirmed name.
  bool ShowOpen();

  // Runs the modal colour chooser, starting at the last confirmed colour.
  // True when a colour was confirmed; Color() then holds it.
  bool ShowColor();

 private:
  platform::DialogWindowHost& host_;
  std::vector<platform::FileTypeFilter> filters_;
  std::string file_name_;
  std::int32_t color_ = 0;
};

}  // namespace tarvex::dialog
