#include "bench/wine/ratio_table.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/crawl_common/ratio_summary.h"

namespace tarvex::bench {
namespace {

constexpr int kWarmUpRuns = 3;
constexpr int kBatches = 7;
constexpr double kBatchSeconds = 0.15;
constexpr int kMinRunsPerBatch = 3;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& rate) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(rate.QuadPart);
}

}  // namespace

double MicrosecondsPerRun(const std::function<void()>& run) {
  for (int i = 0; i < kWarmUpRuns; ++i) run();
  LARGE_INTEGER rate{};
  QueryPerformanceFrequency(&rate);
  std::vector<double> batches;
  for (int batch = 0; batch < kBatches; ++batch) {
    LARGE_INTEGER start{};
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&start);
    int runs = 0;
    do {
      run();
      ++runs;
      QueryPerformanceCounter(&now);
    } while (runs < kMinRunsPerBatch || Seconds(start, now, rate) < kBatchSeconds);
    batches.push_back(Seconds(start, now, rate) * 1e6 / runs);
  }
  std::nth_element(batches.begin(), batches.begin() + kBatches / 2, batches.end());
  return batches[kBatches / 2];
}

void RatioTable::Add(const std::string& name, double microseconds) {
  times_[name] = microseconds;
  std::printf("  %-28s %10.0f us\n", name.c_str(), microseconds);
  std::fflush(stdout);
}

void RatioTable::Print() const {
  PrintRatioSummary(times_);
}

}  // namespace tarvex::bench
