#pragma once
// Console output plus, at the end, each benchmark's time as a ratio to the
// baseline of the same screen size measured in the same run (the median of
// the repetitions when --benchmark_repetitions is given).

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace tarvex::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::map<std::string, double> times_;
  std::map<std::string, double> medians_;
};

}  // namespace tarvex::bench
