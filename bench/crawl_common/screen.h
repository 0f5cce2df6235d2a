#pragma once
// The screen sizes the crawl benchmarks (Qt and GDI) measure, named as in
// their case names "<what>/<screen>[/<phase>]".

#include <string>

namespace tarvex::bench {

struct Screen {
  int width;
  int height;
  std::string Name() const { return std::to_string(width) + "x" + std::to_string(height); }
};

inline constexpr Screen kScreens[] = {
    {1024, 768}, {1366, 768}, {1920, 1080}, {2560, 1440}, {3840, 2160}};

}  // namespace tarvex::bench
