#pragma once
// Blits held back and drawn together, their destination rows shared out
// among the processor's cores. A tick of the crawl issues hundreds of small
// band copies; drawn one by one they leave all but one core idle, drawn
// together they split into slabs of rows that helper threads take in turn.
//
// The queue only keeps the images' addresses: until Run, nobody may write
// a queued blit's source, read or write its destination, or reallocate
// either. Drawing a row of one blit never reads another row of the
// destination, so rows can be drawn in any order, on any thread, and the
// result is what drawing the blits one after another gives.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/qt/stretch_blt.h"

namespace tarvex::qt {

class BlitQueue {
 public:
  struct Blit {
    PixelView dest;
    BlitRect destRect;
    ConstPixelView source;
    BlitRect sourceRect;
    BlitHints hints;
  };

  // Helper threads beside the caller's: one fewer than the processor has
  // cores, at most three.
  static unsigned DefaultHelpers();

  explicit BlitQueue(unsigned helpers = DefaultHelpers());
  ~BlitQueue();
  BlitQueue(const BlitQueue&) = delete;
  BlitQueue& operator=(const BlitQueue&) = delete;

  // Queues a blit; `destTag` and `sourceTag` name the images' owners, for
  // Writes and Reads. Returns what StretchBlt will return for it.
  bool Add(const Blit& blit, const void* destTag, const void* sourceTag);

  // Whether a queued blit writes or reads the image that `tag` owns.
  bool Writes(const void* tag) const;
  bool Reads(const void* tag) const;

  // Draws the queued blits and forgets them.
  void Run();

 private:
  void Expect();
  void Help();
  void DrawSlabs();
  void DrawSlab(int slab);

  std::vector<Blit> blits_;
  // Per slab of destination rows, the blits that reach it, in order.
  std::vector<std::vector<std::uint32_t>> slabs_;
  std::vector<const void*> writers_;
  std::vector<const void*> readers_;
  std::size_t pixels_ = 0;  // an estimate of the queued work

  std::vector<std::thread> helpers_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  unsigned generation_ = 0;        // counts the runs that helpers may join
  std::atomic<unsigned> open_{0};  // the run helpers may join now, or 0
  std::atomic<bool> stop_{false};
  std::atomic<bool> expecting_{false};  // a run is being queued
  unsigned expected_ = 0;               // counts the early wake-ups
  unsigned working_ = 0;                // helpers inside the current run
  std::atomic<int> nextSlab_{0};
};

}  // namespace tarvex::qt
