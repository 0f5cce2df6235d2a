// Queued blits, drawn together on helper threads, against the same blits
// drawn one by one: the same pixels, the same row states, the same answers.
// Also built under the thread sanitizer.

#include "platform/qt/blit_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace tarvex::qt {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

struct Picture {
  Picture(int w, int h) : width(w), height(h), pixels(std::size_t(w * h), kBlack) {}
  PixelView View() { return {pixels.data(), width, height, width}; }

  int width, height;
  std::vector<std::uint32_t> pixels;
  RowStates rows = RowStates(std::size_t(height), RowState::Dirty(width));
};

class BlitQueueTest : public ::testing::TestWithParam<unsigned> {};

// Each tick: bands tiling the display top down, shrinking, widening and
// mirrored, some off the edges, a row higher each tick as the crawl's are.
// Half-way, once the helpers have taken the finished slabs, blits of other
// heights reach back over them, some from outside the page.
TEST_P(BlitQueueTest, QueuedTicksDrawWhatBlitsOneByOneDraw) {
  std::mt19937 random(7);
  Picture page(240, 120);
  for (std::size_t i = 0; i < page.pixels.size(); ++i) {
    if (i / 240 % 7 != 0 && random() % 3 == 0) page.pixels[i] = random() | kBlack;
  }
  const ConstPixelView source{page.pixels.data(), 240, 120, 240};
  const RowSpans spans(source, kBlack);
  Picture queued(900, 400), direct(900, 400);
  BlitQueue queue(GetParam());
  const auto both = [&](BlitRect destRect, BlitRect sourceRect) {
    const bool drew =
        StretchBlt(direct.View(), destRect, source, sourceRect, {&direct.rows, &spans});
    ASSERT_EQ(queue.Add({queued.View(), destRect, source, sourceRect, {&queued.rows, &spans}},
                        &queued, &page),
              drew);
  };
  for (int tick = 0; tick < 4; ++tick) {
    ClearRows(queued.rows);
    ClearRows(direct.rows);
    const auto band = [&](int y) {
      const int width = 900 - 2 * y - tick * 7;
      both({(900 - width) / 2, y, width, 3}, {0, (y + tick + 6) % 117, 240, 3});
    };
    int y = -6 - tick;
    for (; y < 200; y += 3) band(y);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < 12; ++i) {
      const auto r = [&](int n, int from) { return static_cast<int>(random() % n) + from; };
      both({r(700, -100), r(400, 0), r(600, -200), r(9, 1)}, {r(60, -20), r(140, -10), 180, 5});
    }
    both({-20, 0, 940, 40}, {0, 50 + tick, 240, 40});
    for (; y < 400; y += 3) band(y);
    queue.Run();
    FillClearedRows(queued.View(), queued.rows, kBlack);
    FillClearedRows(direct.View(), direct.rows, kBlack);
    ASSERT_EQ(queued.pixels, direct.pixels) << "tick " << tick;
  }
}

INSTANTIATE_TEST_SUITE_P(Helpers, BlitQueueTest, ::testing::Values(0u, 1u, 3u));

}  // namespace
}  // namespace tarvex::qt
