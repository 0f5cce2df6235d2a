// One tick of the crawl through GDI (mid-cycle, where the page covers the
// whole display, and at the end of the cycle, where most bands are issued),
// one composition, one presentation of the display on screen, and the
// baseline: filling the display's pixels once. The screens are those of the
// Qt benchmark; the message is shorter and in the design size. Beside the
// tick, its band copies alone in each of GDI's stretching modes, to weigh
// the saver's choice (HALFTONE where a copy shrinks, COLORONCOLOR
// elsewhere) against the device context's default and the other two.

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/crawl_common/screen.h"
#include "bench/wine/ratio_table.h"
#include "platform/win32/saver_window_host.h"
#include "platform/win32/win32_desktop.h"
#include "runtime/numeric.h"
#include "saver/frmKORVAN.h"

namespace tarvex::bench {
namespace {

constexpr int kDpi = 96;

// A page of text as users write it: lines of differing length, some empty.
std::vector<std::string> Message() {
  std::vector<std::string> lines = {""};
  const std::string words[] = {"遠い昔、はるかかなたの銀河系で……", "",
                               "A long time ago in a galaxy far, far away.",
                               "帝国軍の追跡を逃れ、秘密の基地へ急ぐ一隻の宇宙船があった。",
                               "It is a period of civil war. Rebel spaceships have won."};
  for (int i = 0; i < 60; ++i) lines.push_back(words[i % 5]);
  return lines;
}

// The Win32 desktop with a saver window of a chosen size, whatever the screen.
class SizedDesktop final : public platform::win32::Win32Desktop {
 public:
  explicit SizedDesktop(Screen screen) : screen_(screen) {}

  std::unique_ptr<platform::SaverWindowHost> CreateSaverWindowHost() override {
    const RECT area{0, 0, screen_.width, screen_.height};
    auto host = std::make_unique<platform::win32::Win32SaverWindowHost>(area, kDpi, nullptr);
    host_ = host.get();
    return host;
  }
  platform::win32::Win32SaverWindowHost& Host() { return *host_; }

 private:
  Screen screen_;
  platform::win32::Win32SaverWindowHost* host_ = nullptr;
};

// The saver's form, loaded and composed on a hidden window.
class Crawl {
 public:
  explicit Crawl(Screen screen) : desktop_(screen) {
    state_.Settings.FontColor = "16777215";
    state_.MessageLines = Message();
    state_.LineCount = static_cast<std::int16_t>(state_.MessageLines.size() - 1);
    form_.SetTimerInterval(25);
    form_.Form_Activate();
  }

  saver::frmKORVAN& Form() { return form_; }
  platform::win32::Win32SaverWindowHost& Host() { return desktop_.Host(); }
  int CycleEnd() { return 2 * static_cast<int>(desktop_.Host().Picture(1).Height()) + 200; }

 private:
  SizedDesktop desktop_;
  basKORVAN::SharedState state_;
  saver::frmKORVAN form_{state_, desktop_};
};

// A tick's band copies as DrawBand lays them, in one stretching mode.
void DrawBands(platform::win32::Win32SaverWindowHost& host, int position, int mode) {
  auto& copy = dynamic_cast<platform::win32::GdiPictureSurface&>(host.Picture(0));
  auto& display = dynamic_cast<platform::win32::GdiPictureSurface&>(host.Picture(1));
  const int w1 = static_cast<int>(display.Width()), h1 = static_cast<int>(display.Height());
  const int w0 = static_cast<int>(copy.Width());
  SetStretchBltMode(display.Dc(), mode);
  SetBrushOrgEx(display.Dc(), 0, 0, nullptr);
  for (int y = 0; y <= position; y += 3) {
    const int d = position - y;
    StretchBlt(display.Dc(), runtime::ToInt32(d / 2.0), h1 - d, w1 - d, 3, copy.Dc(), 0, y, w0, 3,
               SRCCOPY);
  }
}

constexpr std::pair<int, const char*> kModes[] = {
    {BLACKONWHITE, "default"}, {COLORONCOLOR, "coloroncolor"}, {HALFTONE, "halftone"}};

void MeasureScreen(Screen screen, RatioTable& table) {
  const std::string size = screen.Name();
  platform::win32::GdiPictureSurface display(0, 0, screen.width - 200, screen.height - 200, kDpi);
  table.Add("Fill/" + size, MicrosecondsPerRun([&] { display.Cls(); }));
  Crawl crawl(screen);
  const int end = crawl.CycleEnd();
  for (const auto& phase : {std::pair{"mid", end / 2}, std::pair{"end", end}}) {
    const auto position = static_cast<std::int16_t>(phase.second);
    table.Add("Tick/" + size + "/" + phase.first, MicrosecondsPerRun([&] {
                crawl.Form().ScrollPos = position;
                crawl.Form().tmrStr_Timer();
              }));
  }
  for (const auto& [mode, name] : kModes) {
    table.Add("Bands/" + size + "/" + name,
              MicrosecondsPerRun([&] { DrawBands(crawl.Host(), end / 2, mode); }));
  }
  table.Add("Compose/" + size, MicrosecondsPerRun([&] { crawl.Form().Command2_Click(); }));
  // Putting the display's image on screen, in the shown window.
  ShowWindow(crawl.Host().Frame(), SW_SHOWNA);
  table.Add("Present/" + size, MicrosecondsPerRun([&] { crawl.Host().Picture(1).Refresh(); }));
  ShowWindow(crawl.Host().Frame(), SW_HIDE);
}

}  // namespace
}  // namespace tarvex::bench

int main() {
  std::printf("The crawl through GDI StretchBlt (median of the batches of each case):\n");
  tarvex::bench::RatioTable table;
  for (const auto& screen : tarvex::bench::kScreens) tarvex::bench::MeasureScreen(screen, table);
  table.Print();
  return 0;
}
