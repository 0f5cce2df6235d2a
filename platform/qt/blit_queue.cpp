#include "platform/qt/blit_queue.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace tarvex::qt {
namespace {

// Rows per slab: about ten crawl bands, a few microseconds of work, enough
// that taking a slab costs nothing beside drawing it, few enough that the
// threads end close together.
constexpr int kSlabRows = 32;
// Below this many pixels a run stays on the caller's thread: waking a helper
// costs more than it saves.
constexpr std::size_t kSharedPixels = 1 << 16;
constexpr unsigned kMaxHelpers = 3;
// How long a helper woken early waits for the run to open:
// far longer than a tick queues blits, far shorter than the time between
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
  const auto index = static_cast<std::uint32_t>(blits_.size());
  blits_.push_back(blit);
  AddTag(writers_, destTag);
  AddTag(readers_, sourceTag);
  const std::size_t before = pixels_;
  pixels_ += static_cast<std::size_t>(rows.end - rows.first) *
             static_cast<std::size_t>(std::abs(std::int64_t{blit.destRect.width}));
  if (before < kSharedPixels && pixels_ >= kSharedPixels) Expect();
  const auto lastSlab = static_cast<std::size_t>((rows.end - 1) / kSlabRows);
  if (slabs_.size() <= lastSlab) slabs_.resize(lastSlab + 1);
  for (auto slab = static_cast<std::size_t>(rows.first / kSlabRows); slab <= lastSlab; ++slab) {
    slabs_[slab].push_back(index);
  }
  return true;
}

bool BlitQueue::Writes(const void* tag) const {
  return std::find(writers_.begin(), writers_.end(), tag) != writers_.end();
}

bool BlitQueue::Reads(const void* tag) const {
  return std::find(readers_.begin(), readers_.end(), tag) != readers_.end();
}

void BlitQueue::Run() {
  if (blits_.empty()) return;
  nextSlab_ = 0;
  if (helpers_.empty() || pixels_ < kSharedPixels) {
    DrawSlabs();
  } else {
    {
      const std::lock_guard lock(mutex_);
      expecting_ = false;
      open_ = ++generation_;
    }
    wake_.notify_all();
    DrawSlabs();
    // Helpers that have not woken yet stay out of this run; the caller waits
    // only for those drawing.
    std::unique_lock lock(mutex_);
    open_ = 0;
    finished_.wait(lock, [&] { return working_ == 0; });
  }
  blits_.clear();
  writers_.clear();
  readers_.clear();
  for (std::vector<std::uint32_t>& slab : slabs_) slab.clear();
  pixels_ = 0;
}

// Wakes the helpers once a run has grown big enough to share: by the time it
// opens they are up, and do not spend its first tens of microseconds waking.
void BlitQueue::Expect() {
  if (helpers_.empty()) return;
  {
    const std::lock_guard lock(mutex_);
    expecting_ = true;
    ++expected_;
  }
  wake_.notify_all();
}

void BlitQueue::Help() {
  unsigned seen = 0;     // the last run joined
  unsigned awaited = 0;  // the last early wake-up answered
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] {
        return stop_ || (expecting_ && expected_ != awaited) || (open_ != 0 && open_ != seen);
      });
      if (stop_) return;
      awaited = expected_;
    }
    // Woken early: wait on the spot, briefly, for the run to open. A run that
    // takes longer wakes the helper again when it opens; one that has come
    // and gone while the helper woke leaves nothing to wait for.
    const auto giveUp = std::chrono::steady_clock::now() + kEarlyWait;
    while (open_ == 0 && expecting_ && !stop_ && std::chrono::steady_clock::now() < giveUp) {
      std::this_thread::yield();
    }
    {
      const std::lock_guard lock(mutex_);
      if (open_ == 0 || open_ == seen) continue;
      seen = open_;
      ++working_;
    }
    DrawSlabs();
    {
      const std::lock_guard lock(mutex_);
      --working_;
    }
    finished_.notify_one();
  }
}

void BlitQueue::DrawSlabs() {
  const auto count = static_cast<int>(slabs_.size());
  for (int slab = nextSlab_++; slab < count; slab = nextSlab_++) DrawSlab(slab);
}

void BlitQueue::DrawSlab(int slab) {
  for (const std::uint32_t index : slabs_[static_cast<std::size_t>(slab)]) {
    const Blit& blit = blits_[index];
    BlitHints hints = blit.hints;
    hints.firstRow = std::max(hints.firstRow, slab * kSlabRows);
    hints.endRow = std::min(hints.endRow, (slab + 1) * kSlabRows);
    StretchBlt(blit.dest, blit.destRect, blit.source, blit.sourceRect, hints);
  }
}

}  // namespace tarvex::qt
