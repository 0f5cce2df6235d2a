#pragma once
// MPEG audio frame headers and the ID3v2 tag in front of them: enough to find
// frame boundaries in a file for a codec that is fed whole frames.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tarvex::vbmp3 {

enum class MpegVersion { kMpeg1, kMpeg2, kMpeg25 };

struct FrameHeader {
  MpegVersion version = MpegVersion::kMpeg1;
  int layer = 3;  // 1, 2 or 3
  int bitRateKbps = 0;
  int sampleRate = 0;
  int channels = 0;
  bool padding = false;
  int frameBytes = 0;  // the whole frame, header included
  int samplesPerFrame = 0;
};

inline constexpr std::size_t kFrameHeaderBytes = 4;
// The largest frame: MPEG-2 layer II at 160 kbit/s and 8 kHz, padded.
inline constexpr std::size_t kLargestFrameBytes = 2881;

// The header that `bytes` (at least four) starts; nothing when they hold no
// valid header (no sync, reserved fields, free-format bit rate).
std::optional<FrameHeader> ParseFrameHeader(std::span<const std::uint8_t> bytes);

// Two frames of one stream: the same version, layer, sample rate and channels.
bool SameStream(const FrameHeader& a, const FrameHeader& b);

// The size of the ID3v2 tag (header, body and footer) that `bytes` (a file's
// first ten bytes or more) starts, 0 when it starts none.
std::int64_t Id3v2TagSize(std::span<const std::uint8_t> bytes);

}  // namespace tarvex::vbmp3
