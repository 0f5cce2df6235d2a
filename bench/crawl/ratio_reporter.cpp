#include "bench/crawl/ratio_reporter.h"

#include <cstdio>

namespace tarvex::bench {
namespace {

std::string ScreenOf(const std::string& name) {
  const auto first = name.find('/');
  if (first == std::string::npos) return {};
  return name.substr(first + 1, name.find('/', first + 1) - first - 1);
}

}  // namespace

// CPU time, so that other processes on the machine weigh less. With
// repetitions the median stands for the benchmark; without, the one run.
void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const std::string name = run.run_name.str();
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
      medians_[name] = run.GetAdjustedCPUTime();
    } else if (run.run_type == Run::RT_Iteration) {
      times_[name] = run.GetAdjustedCPUTime();
    }
  }
  ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  for (const auto& [name, time] : medians_) times_[name] = time;
  std::printf("\nRatio to filling the display once (same screen, same run):\n");
  for (const auto& [name, time] : times_) {
    if (name.rfind("Fill/", 0) == 0) continue;
    const auto baseline = times_.find("Fill/" + ScreenOf(name));
    if (baseline == times_.end() || baseline->second <= 0) continue;
    std::printf("  %-28s %8.2f x  (%.0f us)\n", name.c_str(), time / baseline->second, time);
  }
}

}  // namespace tarvex::bench
