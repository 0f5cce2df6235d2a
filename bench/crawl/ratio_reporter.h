#pragma once
// Console output plus, at the end, each benchmark's wall time and CPU time
// as ratios to the baseline of the same screen size measured in the same run
// (the median of the repetitions when --benchmark_repetitions is given), and
// the wall time of the fastest repetitions, which a noisy machine disturbs
// least, as ratios to each other. Benchmarks report the fastest repetition
// as the statistic kFastest.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace tarvex::bench {

inline constexpr const char* kFastest = "min";

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  struct Times {
    std::map<std::string, double> wall;
    std::map<std::string, double> cpu;
  };
  Times times_;
  Times medians_;
  std::map<std::string, double> fastest_;  // wall time
};

}  // namespace tarvex::bench
