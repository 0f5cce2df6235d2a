#include "platform/qt/blit_queue.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace tarvex::qt {
namespace {

// Rows per slab: about ten crawl bands, a few microseconds of work, enough
// that taking a slab costs nothing beside drawing it, few enough that the
// threads end close together. A multiple of the crawl's three-row bands:
// slabs are laid from the top row of a run's first blit, so that no band is
// cut in two and drawn as two, each working out its columns again.
constexpr int kSlabRows = 33;
// Below this many pixels a run stays on the caller's thread: waking a helper
// costs more than it saves.
constexpr std::size_t kSharedPixels = 1 << 16;
constexpr unsigned kMaxHelpers = 3;
// How long a helper waits for the next slab to be sealed: far longer than
// a tick takes to queue a slab's blits, far shorter than the time between
// ticks.
constexpr std::chrono::microseconds kEarlyWait{2000};

void AddTag(std::vector<const void*>& tags, const void* tag) {
  if (std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(tag);
}

}  // namespace

unsigned BlitQueue::DefaultHelpers() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 1 ? std::min(cores - 1, kMaxHelpers) : 0;
}

BlitQueue::BlitQueue(unsigned helpers) {
  helpers_.reserve(helpers);
  for (unsigned i = 0; i < helpers; ++i) helpers_.emplace_back(&BlitQueue::Help, this);
}

BlitQueue::~BlitQueue() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& helper : helpers_) helper.join();
}

bool BlitQueue::Add(const Blit& blit, const void* destTag, const void* sourceTag) {
  const RowRange rows = DrawnRows(blit.dest, blit.destRect, blit.source, blit.sourceRect);
  if (rows.Empty()) return false;
  if (blitCount_ > 0 && rows.first < SlabTop(sealed_)) Run();
  if (blitCount_ == 0) LaySlabs(blit.destRect);
  const auto firstSlab = static_cast<std::size_t>(SlabOf(rows.first));
  const auto lastSlab = static_cast<std::size_t>(SlabOf(rows.end - 1));
  Reserve(lastSlab);
  const auto index = static_cast<std::uint32_t>(blitCount_);
  blits_[blitCount_++] = blit;
  AddTag(writers_, destTag);
  AddTag(readers_, sourceTag);
  for (std::size_t slab = firstSlab; slab <= lastSlab; ++slab) slabs_[slab].push_back(index);
  slabCount_ = std::max(slabCount_, static_cast<int>(lastSlab) + 1);
  const std::size_t before = pixels_;
  pixels_ += static_cast<std::size_t>(rows.end - rows.first) *
             static_cast<std::size_t>(std::abs(std::int64_t{blit.destRect.width}));
  if (before < kSharedPixels && pixels_ >= kSharedPixels) Share();
  if (shared_) Seal(static_cast<int>(firstSlab));
  return true;
}

void BlitQueue::LaySlabs(BlitRect destRect) {
  const std::int64_t top =
      std::min<std::int64_t>(destRect.y, std::int64_t{destRect.y} + destRect.height);
  const auto phase = static_cast<int>((top % kSlabRows + kSlabRows) % kSlabRows);
  slabOrigin_ = phase == 0 ? 0 : phase - kSlabRows;
}

inline int BlitQueue::SlabOf(int row) const {
  return (row - slabOrigin_) / kSlabRows;
}

inline int BlitQueue::SlabTop(int slab) const {
  return slabOrigin_ + slab * kSlabRows;
}

void BlitQueue::Reserve(std::size_t lastSlab) {
  const bool blitsFull = blitCount_ == blits_.size();
  const bool slabsShort = lastSlab >= slabs_.size();
  if (!blitsFull && !slabsShort) return;
  if (shared_) Run();
  if (blitsFull) blits_.resize(std::max<std::size_t>(64, 2 * blits_.size()));
  if (slabsShort) slabs_.resize(2 * lastSlab + 1);
}

bool BlitQueue::Writes(const void* tag) const {
  return std::find(writers_.begin(), writers_.end(), tag) != writers_.end();
}

bool BlitQueue::Reads(const void* tag) const {
  return std::find(readers_.begin(), readers_.end(), tag) != readers_.end();
}

void BlitQueue::Run() {
  if (blitCount_ == 0) return;
  closed_ = true;
  Seal(slabCount_);
  if (!shared_) {
    DrawSealedSlabs();
    Forget();
    return;
  }
  {
    // Helpers that gave up waiting for slabs while the run was queued come
    // back for the rest.
    const std::lock_guard lock(mutex_);
    ++calls_;
  }
  wake_.notify_all();
  DrawSealedSlabs();
  // The helpers hold a slab each at most: wait for them on the spot rather
  // than sleep and be woken late.
  while (working_ != 0) std::this_thread::yield();
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [&] { return working_ == 0; });
  shared_ = false;
  lock.unlock();
  Forget();
}

void BlitQueue::Forget() {
  for (int slab = 0; slab < slabCount_; ++slab) slabs_[static_cast<std::size_t>(slab)].clear();
  slabCount_ = 0;
  blitCount_ = 0;
  writers_.clear();
  readers_.clear();
  pixels_ = 0;
  sealed_ = 0;
  nextSlab_ = 0;
  closed_ = false;
}

// Wakes the helpers once a run has grown big enough to share: they draw its
// complete slabs while the caller queues the rest.
void BlitQueue::Share() {
  if (helpers_.empty()) return;
  {
    const std::lock_guard lock(mutex_);
    shared_ = true;
    ++calls_;
  }
  wake_.notify_all();
}

void BlitQueue::Seal(int slabs) {
  if (slabs > sealed_) sealed_.store(slabs, std::memory_order_release);
}

void BlitQueue::Help() {
  unsigned answered = 0;  // the last call answered
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return stop_ || (shared_ && calls_ != answered); });
      if (stop_) return;
      answered = calls_;
      ++working_;
    }
    const bool closed = DrawWhileShared();
    {
      const std::lock_guard lock(mutex_);
      --working_;
      // Drawing until the run closed answers the call that closed it too:
      // no need to come back for nothing.
      if (closed) answered = calls_;
    }
    finished_.notify_one();
  }
}

// Draws slabs as they are sealed until the run is closed and every slab
// taken, or until no slab has come for a while: a run that is queued slowly
// calls the helper back when it closes.
bool BlitQueue::DrawWhileShared() {
  auto giveUp = std::chrono::steady_clock::now() + kEarlyWait;
  for (;;) {
    const int slab = TakeSlab();
    if (slab >= 0) {
      DrawSlab(slab);
      giveUp = std::chrono::steady_clock::now() + kEarlyWait;
    } else if (closed_) {
      return true;
    } else if (stop_ || std::chrono::steady_clock::now() >= giveUp) {
      return false;
    } else {
      std::this_thread::yield();
    }
  }
}

void BlitQueue::DrawSealedSlabs() {
  for (int slab = TakeSlab(); slab >= 0; slab = TakeSlab()) DrawSlab(slab);
}

// The next sealed slab nobody has taken, or -1.
int BlitQueue::TakeSlab() {
  int slab = nextSlab_;
  while (slab < sealed_.load(std::memory_order_acquire)) {
    if (nextSlab_.compare_exchange_weak(slab, slab + 1)) return slab;
  }
  return -1;
}

void BlitQueue::DrawSlab(int slab) {
  for (const std::uint32_t index : slabs_[static_cast<std::size_t>(slab)]) {
    const Blit& blit = blits_[index];
    BlitHints hints = blit.hints;
    hints.firstRow = std::max(hints.firstRow, SlabTop(slab));
    hints.endRow = std::min(hints.endRow, SlabTop(slab + 1));
    StretchBlt(blit.dest, blit.destRect, blit.source, blit.sourceRect, hints);
  }
}

}  // namespace tarvex::qt
