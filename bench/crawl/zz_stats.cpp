#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include "platform/qt/qt_saver_offscreen_desktop.h"
#include "saver/frmKORVAN.h"
using namespace tarvex;
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  for (QSize size : {QSize(1024, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
    qt::OffscreenSaverDesktop desktop(size);
    basKORVAN::SharedState state;
    state.Settings.FontSize = 24;
    state.Settings.FontName = "ＭＳ Ｐ明朝";
    state.Settings.FontColor = "16777215";
    const std::string words[] = {"遠い昔、はるかかなたの銀河系で……", "",
                               "A long time ago in a galaxy far, far away, there was a war.",
                               "帝国軍の追跡を逃れ、秘密の基地へ急ぐ一隻の宇宙船があった。",
                               "It is a period of civil war. Rebel spaceships have won."};
    state.MessageLines = {""};
    for (int i = 0; i < 100; ++i) state.MessageLines.push_back(words[i % 5]);
    state.LineCount = 100;
    saver::frmKORVAN form(state, desktop);
    form.SetTimerInterval(25);
    form.Form_Activate();
    auto& page = desktop.Host()->Surface(0);
    const QImage& src = page.Image();
    const auto& spans = page.Spans();
    long ink = 0, spanPx = 0, rowsWithSpans = 0, diffNeighbours = 0, spanCount = 0;
    for (int y = 0; y < src.height(); ++y) {
      auto* row = reinterpret_cast<const std::uint32_t*>(src.constScanLine(y));
      for (int x = 0; x < src.width(); ++x) {
        if (row[x] != 0xFF000000u) ++ink;
        if (x + 1 < src.width() && row[x] != row[x + 1]) ++diffNeighbours;
      }
      if (spans.RowBegin(y) != spans.RowEnd(y)) ++rowsWithSpans;
      for (auto* s = spans.RowBegin(y); s != spans.RowEnd(y); ++s) { spanPx += s->end - s->begin; ++spanCount; }
    }
    double total = double(src.width()) * src.height();
    std::printf("%dx%d page %dx%d line %d: ink %.1f%% spans %.1f%% (%ld spans) rows-with-spans %.1f%% neighbour-changes %.1f%%\n",
                size.width(), size.height(), src.width(), src.height(), desktop.Host()->Surface(2).LineHeight(), 100 * ink / total, 100 * spanPx / total, spanCount,
                100.0 * rowsWithSpans / src.height(), 100 * diffNeighbours / total);
  }
}
