#pragma once
// The player behind the exported functions: one opened file, one player
// thread at most, and the state and error number the caller polls.
//
// Threads: the public members are called from one thread (the caller's). The
// player thread uses the decoder only while it runs; every public member that
// touches the decoder first stops and joins it. The state and the error
// number are shared, under the mutex.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "vbmp3/decoder.h"
#include "vbmp3/output.h"

namespace tarvex::vbmp3 {

class Player {
 public:
  Player() = default;
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Stops playback and opens `path`; an error number from vbmp3/vbmp3.h.
  std::int32_t Open(const std::string& path);
  const StreamInfo& Info() const;
  // Starts the opened file from its beginning; an error number.
  std::int32_t Play();
  void Stop();

  std::int32_t State() const;
  std::int32_t LastError() const;
  void SetLastError(std::int32_t error);
  // Where the next play sends its sound: a WAV file (empty: the device) and
  // the device's driver (empty: the default).
  void SendToWavFile(std::string path, bool realTime) {
    wavPath_ = std::move(path);
    realTime_ = realTime;
  }
  void ChooseDriver(std::string driver) { driver_ = std::move(driver); }
  // True when playback has ended within `timeout`.
  bool WaitUntilDone(std::chrono::milliseconds timeout);
  std::int64_t FramesWritten() const { return frames_.load(); }

 private:
  void Run(std::unique_ptr<Output> output);
  bool Pump(Output& output);
  void Finish(std::int32_t state, std::int32_t error);
  std::unique_ptr<Output> MakeOutput() const;

  std::unique_ptr<Decoder> decoder_;
  bool opened_ = false;
  std::string wavPath_;
  bool realTime_ = false;
  std::string driver_;
  std::thread thread_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<std::int64_t> frames_{0};

  mutable std::mutex mutex_;
  std::condition_variable ended_;
  std::int32_t state_ = 0;
  std::int32_t lastError_ = 0;
};

}  // namespace tarvex::vbmp3
