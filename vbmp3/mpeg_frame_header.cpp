#include "vbmp3/mpeg_frame_header.h"

#include <array>

namespace tarvex::vbmp3 {
namespace {

using BitRateRow = std::array<int, 15>;  // index 0 is free format: refused

constexpr BitRateRow kMpeg1Layer1 = {0,   32,  64,  96,  128, 160, 192, 224,
                                     256, 288, 320, 352, 384, 416, 448};
constexpr BitRateRow kMpeg1Layer2 = {0,   32,  48,  56,  64,  80,  96, 112,
                                     128, 160, 192, 224, 256, 320, 384};
constexpr BitRateRow kMpeg1Layer3 = {0,   32,  40,  48,  56,  64,  80, 96,
                                     112, 128, 160, 192, 224, 256, 320};
constexpr BitRateRow kMpeg2Layer1 = {0,   32,  48,  56,  64,  80,  96, 112,
                                     128, 144, 160, 176, 192, 224, 256};
constexpr BitRateRow kMpeg2Layer23 = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

constexpr std::array<int, 3> kMpeg1Rates = {44100, 48000, 32000};

int BitRate(MpegVersion version, int layer, int index) {
  if (version == MpegVersion::kMpeg1) {
    if (layer == 1) return kMpeg1Layer1[index];
    return layer == 2 ? kMpeg1Layer2[index] : kMpeg1Layer3[index];
  }
  return layer == 1 ? kMpeg2Layer1[index] : kMpeg2Layer23[index];
}

int SampleRate(MpegVersion version, int index) {
  const int rate = kMpeg1Rates[index];
  if (version == MpegVersion::kMpeg2) return rate / 2;
  return version == MpegVersion::kMpeg25 ? rate / 4 : rate;
}

int SamplesPerFrame(MpegVersion version, int layer) {
  if (layer == 1) return 384;
  if (layer == 2 || version == MpegVersion::kMpeg1) return 1152;
  return 576;
}

int FrameBytes(const FrameHeader& h) {
  const int pad = h.padding ? 1 : 0;
  if (h.layer == 1) return (12 * h.bitRateKbps * 1000 / h.sampleRate + pad) * 4;
  const int slots = h.samplesPerFrame / 8;  // bytes per kbit/s of bit rate per Hz
  return slots * h.bitRateKbps * 1000 / h.sampleRate + pad;
}

}  // namespace

std::optional<FrameHeader> ParseFrameHeader(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFrameHeaderBytes) return std::nullopt;
  if (bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0) return std::nullopt;
  const int versionBits = (bytes[1] >> 3) & 3;
  const int layerBits = (bytes[1] >> 1) & 3;
  const int bitRateIndex = bytes[2] >> 4;
  const int rateIndex = (bytes[2] >> 2) & 3;
  const int emphasis = bytes[3] & 3;
  if (versionBits == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 ||
      rateIndex == 3 || emphasis == 2) {
    return std::nullopt;
  }
  FrameHeader h;
  h.version = versionBits == 3   ? MpegVersion::kMpeg1
              : versionBits == 2 ? MpegVersion::kMpeg2
                                 : MpegVersion::kMpeg25;
  h.layer = 4 - layerBits;
  h.bitRateKbps = BitRate(h.version, h.layer, bitRateIndex);
  h.sampleRate = SampleRate(h.version, rateIndex);
  h.channels = (bytes[3] >> 6) == 3 ? 1 : 2;
  h.padding = ((bytes[2] >> 1) & 1) != 0;
  h.samplesPerFrame = SamplesPerFrame(h.version, h.layer);
  h.frameBytes = FrameBytes(h);
  return h;
}

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate &&
         a.channels == b.channels;
}

std::int64_t Id3v2TagSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 10 || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3') return 0;
  std::int64_t body = 0;
  for (std::size_t i = 6; i < 10; ++i) {
    if ((bytes[i] & 0x80U) != 0) return 0;  // not a synchsafe size: no tag
    body = (body << 7) | bytes[i];
  }
  const bool footer = (bytes[5] & 0x10U) != 0;
  return 10 + body + (footer ? 10 : 0);
}

}  // namespace tarvex::vbmp3
