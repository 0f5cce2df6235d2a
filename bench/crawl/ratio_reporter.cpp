#include "bench/crawl/ratio_reporter.h"

#include "bench/crawl_common/ratio_summary.h"

namespace tarvex::bench {

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
  PrintRatioSummary(times_);
}

}  // namespace tarvex::bench
