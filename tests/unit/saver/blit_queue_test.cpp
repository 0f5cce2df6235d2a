// Queued blits, drawn together on several threads, against the same blits
// drawn one by one: the same pixels, the same row states, the same answers.

#include "platform/qt/blit_queue.h"

#include <gmock/gmock.h>
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
  Picture(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), kBlack) {}

  PixelView View() { return {pixels.data(), width, height, width}; }
  ConstPixelView ConstView() const { return {pixels.data(), width, height, width}; }

  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  RowStates rows;
};

// A page of text-like runs: short coloured strokes on black, some rows blank.
Picture Page(std::mt19937& random) {
  Picture page(240, 120);
  for (int y = 0; y < page.height; ++y) {
    if (y % 7 == 0) continue;
    for (int x = 0; x < page.width; ++x) {
      if (random() % 3 == 0)
        page.pixels[std::size_t(y) * std::size_t(page.width) + std::size_t(x)] = random() | kBlack;
    }
  }
  return page;
}

// One tick of blits: bands tiling the display bottom up, widths shrinking
// and widening, mirrored when they go negative, some off the edges, the
// first a row higher each tick, as the crawl's are; and a few blits of
// other heights and source rectangles that leave the page.
std::vector<std::pair<BlitRect, BlitRect>> Tick(std::mt19937& random, int tick) {
  std::vector<std::pair<BlitRect, BlitRect>> blits;
  for (int y = -6 - tick; y < 400; y += 3) {
    const int width = 900 - 2 * y - tick * 7;
    blits.push_back({{(900 - width) / 2, y, width, 3}, {0, (y + tick + 6) % 117, 240, 3}});
  }
  for (int i = 0; i < 12; ++i) {
    const int sourceY = static_cast<int>(random() % 140) - 10;
    blits.push_back({{static_cast<int>(random() % 700) - 100, static_cast<int>(random() % 400),
                      static_cast<int>(random() % 600) - 200, static_cast<int>(random() % 9) + 1},
                     {static_cast<int>(random() % 60) - 20, sourceY, 180, 5}});
  }
  return blits;
}

class BlitQueueTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(BlitQueueTest, QueuedTicksDrawWhatBlitsOneByOneDraw) {
  std::mt19937 random(7);
  const Picture page = Page(random);
  const RowSpans spans(page.ConstView(), kBlack);
  Picture queued(900, 400);
  Picture direct(900, 400);
  queued.rows.assign(400, RowState::Dirty(900));
  direct.rows = queued.rows;
  BlitQueue queue(GetParam());
  for (int tick = 0; tick < 4; ++tick) {
    ClearRows(queued.rows);
    ClearRows(direct.rows);
    for (const auto& [destRect, sourceRect] : Tick(random, tick)) {
      const bool drew =
          StretchBlt(direct.View(), destRect, page.ConstView(), sourceRect, {&direct.rows, &spans});
      const bool queuedDrew =
          queue.Add({queued.View(), destRect, page.ConstView(), sourceRect, {&queued.rows, &spans}},
                    &queued, &page);
      ASSERT_EQ(queuedDrew, drew) << "tick " << tick;
    }
    queue.Run();
    FillClearedRows(queued.View(), queued.rows, kBlack);
    FillClearedRows(direct.View(), direct.rows, kBlack);
    ASSERT_EQ(queued.pixels, direct.pixels) << "tick " << tick;
  }
}

// Helpers draw the slabs above the latest band while the rest is queued; a
// later blit that reaches back over them must still land on top, as it does
// when the blits are drawn one by one.
TEST_P(BlitQueueTest, ABlitReachingBackOverDrawnSlabsStillLandsOnTop) {
  std::mt19937 random(11);
  const Picture page = Page(random);
  Picture queued(300, 512);
  Picture direct(300, 512);
  BlitQueue queue(GetParam());
  const auto both = [&](BlitRect destRect, BlitRect sourceRect) {
    StretchBlt(direct.View(), destRect, page.ConstView(), sourceRect);
    queue.Add({queued.View(), destRect, page.ConstView(), sourceRect, {}}, &queued, &page);
  };
  // The first tick gives the queue its room; the second is shared from its
  // 73rd band on.
  for (int tick = 0; tick < 2; ++tick) {
    for (int y = 0; y < 300; y += 3) both({0, y, 300, 3}, {0, (y + tick) % 117, 240, 3});
    // Time for the helpers to take the slabs sealed so far.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    both({-20, 0, 340, 40}, {0, 50 + tick, 240, 40});
    for (int y = 300; y < 512; y += 3) both({0, y, 300, 3}, {0, (y + tick) % 117, 240, 3});
    queue.Run();
    ASSERT_EQ(queued.pixels, direct.pixels) << "tick " << tick;
  }
}

INSTANTIATE_TEST_SUITE_P(Helpers, BlitQueueTest, ::testing::Values(0u, 1u, 3u));

class BlitQueueTagTest : public ::testing::Test {
 protected:
  // Queues a copy of the page onto the display at row `destY`.
  bool Copy(int destY) {
    return queue.Add({display.View(), {0, destY, 10, 3}, page.ConstView(), {0, 0, 10, 3}, {}},
                     &display, &page);
  }

  Picture page{10, 3};
  Picture display{10, 3};
  BlitQueue queue{1};
};

TEST_F(BlitQueueTagTest, TheQueueKnowsWhatItWritesAndReadsUntilItRuns) {
  ASSERT_TRUE(Copy(0));
  EXPECT_TRUE(queue.Writes(&display));
  EXPECT_FALSE(queue.Writes(&page));
  EXPECT_TRUE(queue.Reads(&page));
  EXPECT_FALSE(queue.Reads(&display));
  queue.Run();
  EXPECT_FALSE(queue.Writes(&display));
  EXPECT_FALSE(queue.Reads(&page));
}

TEST_F(BlitQueueTagTest, ABlitThatDrawsNothingIsNotQueued) {
  EXPECT_FALSE(Copy(5));
  EXPECT_FALSE(queue.Writes(&display));
}

}  // namespace
}  // namespace tarvex::qt
