#pragma once
// Timing of one case by the median of several batches, and the table of
// each case's time as a ratio to the baseline of the same screen size,
// measured in the same run. (Google Benchmark has no MinGW build here.)

#include <functional>
#include <map>
#include <string>

namespace tarvex::bench {

// Microseconds per call of `run`: the median over batches of calls, after a
// warm-up.
double MicrosecondsPerRun(const std::function<void()>& run);

class RatioTable {
 public:
  // Names are "<what>/<screen>[/<phase>]"; the baseline is "Fill/<screen>".
  void Add(const std::string& name, double microseconds);
  // Prints every time, then every case as a ratio to its screen's baseline.
  void Print() const;

 private:
  std::map<std::string, double> times_;
};

}  // namespace tarvex::bench
