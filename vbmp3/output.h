#pragma once
// The output seam: a sink for 16-bit signed native-endian interleaved PCM.
// Linux plays through libout123; the WAV file sink serves tests and tools.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "vbmp3/decoder.h"

namespace tarvex::vbmp3 {

class Output {
 public:
  virtual ~Output() = default;

  virtual bool Open(const PcmFormat& format) = 0;
  // Blocks at most about one write's length of sound; false on a failure.
  virtual bool Write(std::span<const std::byte> pcm) = 0;
  // Waits until the written sound has been heard, or until `cancelled` says
  // so; polls it often enough for a stop to take effect within milliseconds.
  virtual void Drain(const std::function<bool()>& cancelled) = 0;
  // Ends the output: a device throws away what it has not played yet, a file
  // is completed. False when the sound could not all be delivered.
  virtual bool Close() = 0;
};

// The system's sound device; `driver` names the driver(s), empty for the
// default.
std::unique_ptr<Output> MakeDeviceOutput(const std::string& driver);

// A 16-bit PCM WAV file; with `realTime` written no faster than it would play.
std::unique_ptr<Output> MakeWavFileOutput(const std::string& path, bool realTime);

}  // namespace tarvex::vbmp3
