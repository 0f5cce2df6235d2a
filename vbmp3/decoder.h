#pragma once
// The decoder seam: an MPEG audio file in, 16-bit signed native-endian
// interleaved PCM out. Linux decodes with libmpg123; another platform brings
// its own implementation of MakeDecoder.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tarvex::vbmp3 {

struct PcmFormat {
  std::int32_t sampleRate = 0;
  std::int32_t channels = 0;
};

// What the open learnt about the file. Texts are in the ANSI code page.
struct StreamInfo {
  std::string title;
  std::string artist;
  PcmFormat format;
  std::int32_t bitRateKbps = 0;
  std::int32_t lengthMs = 0;
};

enum class ReadStatus { kData, kEnd, kError };

struct ReadResult {
  ReadStatus status = ReadStatus::kEnd;
  // Valid until the next call on the decoder; whole sample frames only.
  std::span<const std::byte> pcm;
};

class Decoder {
 public:
  virtual ~Decoder() = default;

  // Opens `path` (the system's encoding) and decodes its first frame; returns
  // VBMP3_ERR_NONE or a number from the error table of vbmp3/vbmp3.h. After a
  // failure the decoder holds no file.
  virtual std::int32_t Open(const std::string& path) = 0;
  virtual const StreamInfo& Info() const = 0;
  // Back to the first sample; false when the file cannot be read again.
  virtual bool Rewind() = 0;
  virtual ReadResult Read() = 0;
};

std::unique_ptr<Decoder> MakeDecoder();

}  // namespace tarvex::vbmp3
