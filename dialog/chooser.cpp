#include "dialog/chooser.h"

#include <cstddef>
#include <utility>

namespace tarvex::dialog {

namespace {

std::vector<std::string_view> SplitAtBars(std::string_view text) {
  std::vector<std::string_view> items;
  std::size_t start = 0;
  for (std::size_t bar = text.find('|'); bar != std::string_view::npos;
       bar = text.find('|', start)) {
    items.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  items.push_back(text.substr(start));
  return items;
}

}  // namespace

std::vector<platform::FileTypeFilter> ParseTypeFilter(std::string_view filter) {
  std::vector<platform::FileTypeFilter> pairs;
  if (filter.empty()) return pairs;
  const auto items = SplitAtBars(filter);
  for (std::size_t i = 0; i < items.size(); i += 2) {
    const std::string_view pattern = i + 1 < items.size() ? items[i + 1] : std::string_view{};
    if (items[i].empty() && pattern.empty()) continue;
    pairs.push_back({std::string(items[i]), std::string(pattern)});
  }
  return pairs;
}

Chooser::Chooser(platform::DialogWindowHost& host, std::string_view filter)
    : host_(host), filters_(ParseTypeFilter(filter)) {}

bool Chooser::ShowOpen() {
  auto chosen = host_.ShowOpenChooser(filters_, FilterIndex, file_name_);
  if (!chosen) return false;
  file_name_ = std::move(*chosen);
  return true;
}

bool Chooser::ShowColor() {
  const auto chosen = host_.ShowColorChooser(color_);
  if (!chosen) return false;
  color_ = *chosen;
  return true;
}

}  // namespace tarvex::dialog
