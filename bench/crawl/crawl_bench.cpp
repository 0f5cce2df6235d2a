// One tick of the crawl, one composition and one presentation, each against
// the baseline: filling the display surface's image once, as a clear does.
//
// The message is a screen full of lines in the design face, 24 points, bold,
// white: Japanese and Latin lines of differing length (most reach the page's
// right edge), every fifth one empty. Ticks are timed where they cost most,
// mid-cycle, when the page covers the whole display and every band is drawn,
// and at the end of the cycle, when the most bands are issued and all of
// them lie above the display. Presentation is what a repaint of the shown
// window does with the finished image; the tick itself only asks for it.
//
// The user pays for a tick in CPU time (battery, fan, heat), not in wall
// time below the timer's period: the CPU time of all the process's threads
// is the headline, against one single-threaded fill, and wall time is
// reported beside it.

#include <benchmark/benchmark.h>

#include <algorithm>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/crawl/ratio_reporter.h"
#include "bench/crawl_common/screen.h"
#include "platform/qt/qt_saver_offscreen_desktop.h"
#include "saver/frmKORVAN.h"

namespace tarvex::bench {
namespace {

constexpr std::int16_t kPoints = 24;
// More lines than the tallest page holds at kPoints: the page is full.
constexpr int kLines = 100;

std::vector<std::string> Message() {
  const std::string words[] = {"遠い昔、はるかかなたの銀河系で……", "",
                               "A long time ago in a galaxy far, far away, there was a war.",
                               "帝国軍の追跡を逃れ、秘密の基地へ急ぐ一隻の宇宙船があった。",
                               "It is a period of civil war. Rebel spaceships have won."};
  std::vector<std::string> lines = {""};
  for (int i = 0; i < kLines; ++i) lines.push_back(words[i % 5]);
  return lines;
}

// The saver's form, loaded and composed on an offscreen screen.
class Crawl {
 public:
  explicit Crawl(Screen screen) : desktop_(QSize(screen.width, screen.height)) {
    state_.Settings.FontSize = kPoints;
    state_.Settings.FontName = "ＭＳ Ｐ明朝";
    state_.Settings.FontColor = "16777215";
    state_.MessageLines = Message();
    state_.LineCount = static_cast<std::int16_t>(state_.MessageLines.size() - 1);
    form_.SetTimerInterval(25);
    form_.Form_Activate();
  }

  saver::frmKORVAN& Form() { return form_; }
  const QImage& Display() const { return desktop_.Host()->Surface(1).Image(); }
  // The last value of the crawl position in a cycle: page height plus
  // display height.
  int CycleEnd() const { return desktop_.Host()->Surface(0).Image().height() + Display().height(); }

 private:
  qt::OffscreenSaverDesktop desktop_;
  basKORVAN::SharedState state_;
  saver::frmKORVAN form_{state_, desktop_};
};

void Tick(benchmark::State& state, Screen screen, bool endOfCycle) {
  Crawl crawl(screen);
  const int end = crawl.CycleEnd();
  const auto position = static_cast<std::int16_t>(endOfCycle ? end : end / 2);
  for (auto _ : state) {
    crawl.Form().ScrollPos = position;
    crawl.Form().tmrStr_Timer();
  }
}

void Compose(benchmark::State& state, Screen screen) {
  Crawl crawl(screen);
  for (auto _ : state) crawl.Form().Command2_Click();
}

// A repaint of the shown display: the finished image drawn into a window
// buffer of the same size, after one mid-cycle tick.
void Present(benchmark::State& state, Screen screen) {
  Crawl crawl(screen);
  crawl.Form().ScrollPos = static_cast<std::int16_t>(crawl.CycleEnd() / 2);
  crawl.Form().tmrStr_Timer();
  QImage window(crawl.Display().size(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&window);
    painter.drawImage(0, 0, crawl.Display());
    painter.end();
    benchmark::DoNotOptimize(window.constBits());
  }
}

// The baseline: an image of the display surface's size and format, filled
// with the background colour through the same call a clear makes. It is
// written whole every time, so it is as warm in the caches as the display.
void Fill(benchmark::State& state, Screen screen) {
  const Crawl crawl(screen);
  QImage display(crawl.Display().size(), crawl.Display().format());
  for (auto _ : state) {
    display.fill(0xFF000000u);
    benchmark::DoNotOptimize(display.constBits());
    benchmark::ClobberMemory();
  }
}

// Every case in microseconds of wall time, with the CPU time of all threads.
template <class... Args>
void Add(const std::string& name, void (*run)(benchmark::State&, Args...), Args... args) {
  benchmark::RegisterBenchmark(name.c_str(), run, args...)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime()
      ->MeasureProcessCPUTime()
      ->ComputeStatistics(kFastest, [](const std::vector<double>& times) {
        return *std::min_element(times.begin(), times.end());
      });
}

void Register() {
  for (const Screen& screen : kScreens) {
    const std::string size = screen.Name();
    Add("Fill/" + size, Fill, screen);
    Add("Tick/" + size + "/mid", Tick, screen, false);
    Add("Tick/" + size + "/end", Tick, screen, true);
    Add("Compose/" + size, Compose, screen);
    Add("Present/" + size, Present, screen);
  }
}

}  // namespace
}  // namespace tarvex::bench

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  tarvex::bench::Register();
  tarvex::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
