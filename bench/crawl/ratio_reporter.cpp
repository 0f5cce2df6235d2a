#include "bench/crawl/ratio_reporter.h"

#include "bench/crawl_common/ratio_summary.h"

namespace tarvex::bench {

// Wall time is what a tick takes, helper threads included; CPU time adds up
// every thread's work. With repetitions the median stands for the benchmark;
// without, the one run.
void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const std::string name = run.run_name.function_name;
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
      medians_.wall[name] = run.GetAdjustedRealTime();
      medians_.cpu[name] = run.GetAdjustedCPUTime();
    } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == kFastest) {
      fastest_[name] = run.GetAdjustedRealTime();
    } else if (run.run_type == Run::RT_Iteration) {
      times_.wall[name] = run.GetAdjustedRealTime();
      times_.cpu[name] = run.GetAdjustedCPUTime();
    }
  }
  ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  for (const auto& [name, time] : medians_.wall) times_.wall[name] = time;
  for (const auto& [name, time] : medians_.cpu) times_.cpu[name] = time;
  PrintRatioSummary(times_.wall, "wall time");
  PrintRatioSummary(times_.cpu, "CPU time of all threads");
  if (!fastest_.empty()) PrintRatioSummary(fastest_, "wall time, fastest repetitions");
}

}  // namespace tarvex::bench
