// Queued blits, drawn on helper threads, against the same blits drawn one by
// one: the same pixels, row states and answers. Also built under the thread
// sanitizer.

#include "platform/qt/blit_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace tarvex::qt {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

struct Picture {
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(std::size_t{900} * 400, kBlack);
  RowStates rows = RowStates(400, RowState::Dirty(900));
  PixelView View() { return {pixels.data(), 900, 400, 900}; }
};

class BlitQueueTest : public ::testing::TestWithParam<unsigned> {};

// Each tick: crawl bands top down, some off the edges; half-way, once the
// helpers have taken the finished slabs, blits reach back over them.
TEST_P(BlitQueueTest, QueuedTicksDrawWhatBlitsOneByOneDraw) {
  std::mt19937 random(7);
  std::vector<std::uint32_t> page(std::size_t{240} * 120, kBlack);
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (i / 240 % 7 != 0 && random() % 3 == 0) page[i] = random() | kBlack;
  }
  const ConstPixelView source{page.data(), 240, 120, 240};
  const RowSpans spans(source, kBlack);
  Picture queued, direct;
  BlitQueue queue(GetParam());
  const auto both = [&](BlitRect to, BlitRect from) {
    const bool drew = StretchBlt(direct.View(), to, source, from, {&direct.rows, &spans});
    ASSERT_EQ(queue.Add({queued.View(), to, source, from, {&queued.rows, &spans}}, &queued, &page),
              drew);
  };
  const auto r = [&](int n, int from) { return static_cast<int>(random() % n) + from; };
  for (int tick = 0; tick < 4; ++tick) {
    ClearRows(queued.rows);
    ClearRows(direct.rows);
    int y = -6 - tick;
    const auto band = [&] {
      const int width = 900 - 2 * y - tick * 7;
      both({(900 - width) / 2, y, width, 3}, {0, (y + tick + 6) % 117, 240, 3});
    };
    for (; y < 200; y += 3) band();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < 12; ++i) {
      both({r(700, -100), r(400, 0), r(600, -200), r(9, 1)}, {r(60, -20), r(140, -10), 180, 5});
    }
    both({-20, 0, 940, 40}, {0, 50 + tick, 240, 40});
    for (; y < 400; y += 3) band();
    queue.Run();
    FillClearedRows(queued.View(), queued.rows, kBlack);
    FillClearedRows(direct.View(), direct.rows, kBlack);
    ASSERT_EQ(queued.pixels, direct.pixels) << "tick " << tick;
  }
}

INSTANTIATE_TEST_SUITE_P(Helpers, BlitQueueTest, ::testing::Values(0u, 1u, 3u));

}  // namespace
}  // namespace tarvex::qt
