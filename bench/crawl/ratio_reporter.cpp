#include "bench/crawl/ratio_reporter.h"

#include <cstdio>

#include "bench/crawl_common/ratio_summary.h"

namespace tarvex::bench {
namespace {

std::string ScreenOf(const std::string& name) {
  const auto first = name.find('/');
  return name.substr(first + 1, name.find('/', first + 1) - first - 1);
}

// The headline: CPU time of all threads against one single-threaded fill,
// with wall time against the fill's wall time beside it.
void PrintCpuAndWall(const std::map<std::string, double>& cpu,
                     const std::map<std::string, double>& wall) {
  std::printf("\nRatio to filling the display once (same screen, same run):\n");
  std::printf("  %-28s %22s %22s\n", "", "CPU time, all threads", "wall time");
  for (const auto& [name, time] : cpu) {
    if (name.rfind("Fill/", 0) == 0 || name.find('/') == std::string::npos) continue;
    const std::string fill = "Fill/" + ScreenOf(name);
    const auto cpuFill = cpu.find(fill);
    const auto wallFill = wall.find(fill);
    const auto wallTime = wall.find(name);
    if (cpuFill == cpu.end() || wallFill == wall.end() || wallTime == wall.end()) continue;
    std::printf("  %-28s %8.2f x (%7.0f us) %8.2f x (%7.0f us)\n", name.c_str(),
                time / cpuFill->second, time, wallTime->second / wallFill->second,
                wallTime->second);
  }
}

}  // namespace

// Wall time is what a tick takes; CPU time adds up
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
  PrintCpuAndWall(times_.cpu, times_.wall);
  if (!fastest_.empty()) PrintRatioSummary(fastest_, "wall time, fastest repetitions");
}

}  // namespace tarvex::bench
