#include "vbmp3/pacer.h"

namespace tarvex::vbmp3 {

void Pacer::Add(std::int64_t frames) {
  if (frames_ == 0) start_ = Clock::now();
  frames_ += frames;
}

Pacer::Clock::duration Pacer::Ahead() const {
  if (frames_ == 0 || sampleRate_ <= 0) return Clock::duration::zero();
  const auto written = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(frames_) / sampleRate_));
  const auto elapsed = Clock::now() - start_;
  return written > elapsed ? written - elapsed : Clock::duration::zero();
}

}  // namespace tarvex::vbmp3
