// Queued blits, drawn together on helper threads, against the same blits
// drawn one by one: the same pixels, the same row states, the same answers.
// Also built under the thread sanitizer.

#include "platform/qt/blit_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

namespace tarvex::qt {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

struct Picture {
  Picture(int w, int h) : width(w), height(h), pixels(std::size_t(w * h), kBlack) {}
  PixelView View() { return {pixels.data(), width, height, width}; }
  ConstPixelView ConstView() const { return {pixels.data(), width, height, width}; }

  int width, height;
  std::vector<std::uint32_t> pixels;
  RowStates rows;
};

// A page of text-like runs: short coloured strokes on black, some rows blank.
Picture Page(std::mt19937& random) {
  Picture page(240, 120);
  for (std::size_t i = 0; i < page.pixels.size(); ++i) {
    if (i / 240 % 7 != 0 && random() % 3 == 0) page.pixels[i] = random() | kBlack;
  }
  return page;
}

class BlitQueueTest : public ::testing::TestWithParam<unsigned> {};

// Each tick: bands tiling the display bottom up, shrinking, widening and
// mirrored, some off the edges, a row higher each tick as the crawl's are;
// and blits of other heights whose source rectangles leave the page.
TEST_P(BlitQueueTest, QueuedTicksDrawWhatBlitsOneByOneDraw) {
  std::mt19937 random(7);
  const Picture page = Page(random);
  const RowSpans spans(page.ConstView(), kBlack);
  Picture queued(900, 400), direct(900, 400);
  queued.rows = direct.rows = RowStates(400, RowState::Dirty(900));
  BlitQueue queue(GetParam());
  const auto both = [&](BlitRect destRect, BlitRect sourceRect) {
    const bool drew =
        StretchBlt(direct.View(), destRect, page.ConstView(), sourceRect, {&direct.rows, &spans});
    ASSERT_EQ(
        queue.Add({queued.View(), destRect, page.ConstView(), sourceRect, {&queued.rows, &spans}},
                  &queued, &page),
        drew);
  };
  for (int tick = 0; tick < 4; ++tick) {
    ClearRows(queued.rows);
    ClearRows(direct.rows);
    for (int y = -6 - tick; y < 400; y += 3) {
      const int width = 900 - 2 * y - tick * 7;
      both({(900 - width) / 2, y, width, 3}, {0, (y + tick + 6) % 117, 240, 3});
    }
    for (int i = 0; i < 12; ++i) {
      const auto r = [&](int n, int from) { return static_cast<int>(random() % n) + from; };
      both({r(700, -100), r(400, 0), r(600, -200), r(9, 1)}, {r(60, -20), r(140, -10), 180, 5});
    }
    queue.Run();
    FillClearedRows(queued.View(), queued.rows, kBlack);
    FillClearedRows(direct.View(), direct.rows, kBlack);
    ASSERT_EQ(queued.pixels, direct.pixels) << "tick " << tick;
  }
}

// Helpers draw the slabs above the latest band while the rest is queued; a
// later blit that reaches back over them must still land on top.
TEST_P(BlitQueueTest, ABlitReachingBackOverDrawnSlabsStillLandsOnTop) {
  std::mt19937 random(11);
  const Picture page = Page(random);
  Picture queued(300, 512), direct(300, 512);
  BlitQueue queue(GetParam());
  const auto both = [&](BlitRect destRect, BlitRect sourceRect) {
    StretchBlt(direct.View(), destRect, page.ConstView(), sourceRect);
    queue.Add({queued.View(), destRect, page.ConstView(), sourceRect, {}}, &queued, &page);
  };
  // The first tick gives the queue its room; the second is shared.
  for (int tick = 0; tick < 2; ++tick) {
    for (int y = 0; y < 300; y += 3) both({0, y, 300, 3}, {0, (y + tick) % 117, 240, 3});
    std::this_thread::sleep_for(std::chrono::milliseconds(1));  // the helpers take sealed slabs
    both({-20, 0, 340, 40}, {0, 50 + tick, 240, 40});
    for (int y = 300; y < 512; y += 3) both({0, y, 300, 3}, {0, (y + tick) % 117, 240, 3});
    queue.Run();
    ASSERT_EQ(queued.pixels, direct.pixels) << "tick " << tick;
  }
}

INSTANTIATE_TEST_SUITE_P(Helpers, BlitQueueTest, ::testing::Values(0u, 1u, 3u));

}  // namespace
}  // namespace tarvex::qt
