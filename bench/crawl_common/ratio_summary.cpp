#include "bench/crawl_common/ratio_summary.h"

#include <cstdio>

namespace tarvex::bench {
namespace {

std::string ScreenOf(const std::string& name) {
  const auto first = name.find('/');
  if (first == std::string::npos) return {};
  return name.substr(first + 1, name.find('/', first + 1) - first - 1);
}

}  // namespace

void PrintRatioSummary(const std::map<std::string, double>& times, const char* what) {
  std::printf("\nRatio to filling the display once (%s; same screen, same run):\n", what);
  for (const auto& [name, time] : times) {
    if (name.rfind("Fill/", 0) == 0) continue;
    const auto baseline = times.find("Fill/" + ScreenOf(name));
    if (baseline == times.end() || baseline->second <= 0) continue;
    std::printf("  %-28s %8.2f x  (%.0f us)\n", name.c_str(), time / baseline->second, time);
  }
}

}  // namespace tarvex::bench
