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
//
// The helpers need not wait for Run: blits mostly come in row order, as the
// crawl's bands do, so the slabs above the latest blit's first row are
// complete, and helpers draw them while the caller queues the rest. A blit
// that reaches back into a slab already handed out runs the queue first.

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
  // Makes room for a blit reaching slab `lastSlab`, running the queue first
  // when the room has to grow while helpers may be reading it.
  void Reserve(std::size_t lastSlab);
  // Lays the slabs of a run from the top row of its first blit, `destRect`
  // before clipping.
  void LaySlabs(BlitRect destRect);
  int SlabOf(int row) const;
  int SlabTop(int slab) const;
  void Share();
  void Seal(int slabs);
  void Help();
  // Whether it drew until the run closed.
  bool DrawWhileShared();
  void DrawSealedSlabs();
  int TakeSlab();
  void DrawSlab(int slab);
  void Forget();

  // Both grow only while no helper draws, so that helpers may read them
  // while the caller adds to them. They lie on a cache line of their own:
  // helpers read them for every blit they draw, the caller changes the
  // counts below for every blit it queues.
  alignas(64) std::vector<Blit> blits_;
  // Per slab of destination rows, the blits that reach it, in order.
  std::vector<std::vector<std::uint32_t>> slabs_;
  alignas(64) std::size_t blitCount_ = 0;  // how many of blits_ are in use
  int slabCount_ = 0;                      // how many of slabs_
  int slabOrigin_ = 0;  // the top row of slab 0: row 0, or above it by less than a slab
  std::vector<const void*> writers_;
  std::vector<const void*> readers_;
  std::size_t pixels_ = 0;  // an estimate of the queued work

  std::vector<std::thread> helpers_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  bool shared_ = false;  // helpers may join the run being queued
  unsigned calls_ = 0;   // counts the calls for helpers
  // What the helpers watch, on cache lines of their own, away from what the
  // caller changes as it queues.
  alignas(64) std::atomic<int> working_{0};  // helpers inside the current run
  std::atomic<bool> stop_{false};
  alignas(64) std::atomic<int> sealed_{0};    // slabs [0, sealed_) take no more blits
  std::atomic<bool> closed_{false};           // every slab is sealed
  alignas(64) std::atomic<int> nextSlab_{0};  // the next slab to draw
};

}  // namespace tarvex::qt
