#pragma once
// The closing table of the crawl benchmarks: each case's time as a ratio to
// the baseline of the same screen size, measured in the same run.

#include <map>
#include <string>

namespace tarvex::bench {

// `times` in microseconds by case name "<what>/<screen>[/<phase>]"; the
// baseline is "Fill/<screen>". `what` names the times measured.
void PrintRatioSummary(const std::map<std::string, double>& times, const char* what = "time");

}  // namespace tarvex::bench
