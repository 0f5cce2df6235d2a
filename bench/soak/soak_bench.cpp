// The saver's own classes left running, as a saver runs for hours: the crawl
// ticks a million times (--ticks=N for fewer) on a small offscreen screen with
// the longest message the saver takes, 32,767 lines. Reported: the resident
// size after 10^3, 10^5 and 10^6 ticks, which must stay flat (growth is the
// last over the first: more than kMostGrowth fails the run), and the ticks
// per second.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/qt/qt_saver_offscreen_desktop.h"
#include "saver/frmKORVAN.h"

namespace tarvex::bench {
namespace {

constexpr QSize kScreen(640, 480);
constexpr std::int16_t kLines = 32767;
constexpr double kMostGrowth = 1.05;
bool grew = false;

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

basKORVAN::SharedState LongMessage() {
  basKORVAN::SharedState state;
  state.Settings.FontSize = 24;
  state.Settings.FontName = "ＭＳ Ｐ明朝";
  state.Settings.FontColor = "16777215";
  state.MessageLines = {""};
  for (int i = 1; i <= kLines; ++i) {
    state.MessageLines.push_back(
        i % 5 == 0 ? "" : "遠い昔、はるかかなたの銀河系で " + std::to_string(i));
  }
  state.LineCount = kLines;
  return state;
}

void Soak(benchmark::State& run) {
  const std::int64_t ticks = run.range(0);
  basKORVAN::SharedState state = LongMessage();
  qt::OffscreenSaverDesktop desktop(kScreen);
  saver::frmKORVAN form(state, desktop);
  form.SetTimerInterval(25);
  form.Form_Activate();
  double first = 0;
  double last = 0;
  for (auto _ : run) {
    for (std::int64_t tick = 1; tick <= ticks; ++tick) {
      form.tmrStr_Timer();
      if (tick != 1000 && tick != 100000 && tick != 1000000) continue;
      last = ResidentMegabytes();
      if (first == 0) first = last;
      run.counters["MB@" + std::to_string(tick)] = last;
    }
  }
  run.counters["growth"] = first > 0 ? last / first : 0;
  grew = last > first * kMostGrowth;
  if (grew) run.SkipWithError("the resident size grew while the crawl ran");
  run.counters["ticks/s"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
}

// --ticks=N, taken out of the arguments before the library reads them.
std::int64_t TakeTicks(int& argc, char** argv) {
  std::int64_t ticks = 1000000;
  constexpr std::string_view kFlag = "--ticks=";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!arg.starts_with(kFlag)) continue;
    std::from_chars(arg.data() + kFlag.size(), arg.data() + arg.size(), ticks);
    std::memmove(argv + i, argv + i + 1, sizeof(char*) * static_cast<std::size_t>(argc - i));
    --argc;
    --i;
  }
  return ticks;
}

}  // namespace
}  // namespace tarvex::bench

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::int64_t ticks = tarvex::bench::TakeTicks(argc, argv);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("Soak/640x480/32767lines", tarvex::bench::Soak)
      ->Arg(ticks)
      ->Iterations(1)
      ->Unit(benchmark::kSecond)
      ->UseRealTime();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return tarvex::bench::grew ? 1 : 0;
}
