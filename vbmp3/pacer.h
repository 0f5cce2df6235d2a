#pragma once
// Keeps count of the sound handed to an output against the wall clock, so
// that a sink without a device of its own can play no faster than real time
// and a drain knows how long the written sound still lasts.

#include <chrono>
#include <cstdint>

namespace tarvex::vbmp3 {

class Pacer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Pacer(std::int32_t sampleRate) : sampleRate_(sampleRate) {}

  // Counts `frames` more sample frames as written; the first call starts the
  // clock.
  void Add(std::int64_t frames);
  // How long the sound written so far still lasts beyond now (zero when it
  // has all been played).
  Clock::duration Ahead() const;

 private:
  std::int32_t sampleRate_;
  std::int64_t frames_ = 0;
  Clock::time_point start_{};
};

}  // namespace tarvex::vbmp3
