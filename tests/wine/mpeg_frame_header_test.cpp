// MPEG audio frame headers, as the Windows decoder finds frames by them.

#include "vbmp3/mpeg_frame_header.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace tarvex::vbmp3 {
namespace {

using Bytes = std::array<std::uint8_t, 4>;
using enum MpegVersion;

// Bytes, then version, layer, kbit/s, Hz, channels, frame bytes, samples.
struct HeaderCase {
  Bytes bytes;
  FrameHeader expected;
};

TEST(FrameHeaderTest, ReadsTheFieldsAndTheFrameSize) {
  const HeaderCase cases[] = {
      {{0xFF, 0xFB, 0x90, 0x00}, {kMpeg1, 3, 128, 44100, 2, false, 417, 1152}},
      {{0xFF, 0xFB, 0x92, 0x00}, {kMpeg1, 3, 128, 44100, 2, true, 418, 1152}},
      {{0xFF, 0xFB, 0xE4, 0xC0}, {kMpeg1, 3, 320, 48000, 1, false, 960, 1152}},
      {{0xFF, 0xF3, 0x80, 0xC0}, {kMpeg2, 3, 64, 22050, 1, false, 208, 576}},
      {{0xFF, 0xE3, 0x18, 0xC0}, {kMpeg25, 3, 8, 8000, 1, false, 72, 576}},
      {{0xFF, 0xFD, 0xA4, 0x00}, {kMpeg1, 2, 192, 48000, 2, false, 576, 1152}},
      {{0xFF, 0xFF, 0xEA, 0x00}, {kMpeg1, 1, 448, 32000, 2, true, 676, 384}},
  };
  for (const auto& [bytes, e] : cases) {
    const auto h = ParseFrameHeader(bytes);
    ASSERT_TRUE(h.has_value()) << std::hex << int(bytes[1]) << int(bytes[2]);
    EXPECT_EQ(std::tie(h->version, h->layer, h->bitRateKbps, h->sampleRate, h->channels, h->padding,
                       h->frameBytes, h->samplesPerFrame),
              std::tie(e.version, e.layer, e.bitRateKbps, e.sampleRate, e.channels, e.padding,
                       e.frameBytes, e.samplesPerFrame));
  }
}

// Reserved or bad version, layer, bit rate, sample rate and emphasis; too few bytes.
TEST(FrameHeaderTest, ReservedFieldsAreNoHeader) {
  for (const Bytes& bytes :
       {Bytes{0xFF, 0x7B, 0x90, 0x00}, Bytes{0xFF, 0xEB, 0x90, 0x00}, Bytes{0xFF, 0xF9, 0x90, 0x00},
        Bytes{0xFF, 0xFB, 0x00, 0x00}, Bytes{0xFF, 0xFB, 0xF0, 0x00}, Bytes{0xFF, 0xFB, 0x9C, 0x00},
        Bytes{0xFF, 0xFB, 0x90, 0x02}}) {
    EXPECT_FALSE(ParseFrameHeader(bytes).has_value()) << std::hex << int(bytes[1]) << int(bytes[2]);
  }
  EXPECT_FALSE(ParseFrameHeader(std::array<std::uint8_t, 3>{0xFF, 0xFB, 0x90}).has_value());
}

// A new bit rate continues the stream; other channels or another rate do not.
TEST(FrameHeaderTest, OnlyTheSameStreamContinues) {
  const auto a = *ParseFrameHeader(Bytes{0xFF, 0xFB, 0x90, 0x00});
  EXPECT_TRUE(SameStream(a, *ParseFrameHeader(Bytes{0xFF, 0xFB, 0xE2, 0x00})));
  EXPECT_FALSE(SameStream(a, *ParseFrameHeader(Bytes{0xFF, 0xFB, 0x90, 0xC0})));
  EXPECT_FALSE(SameStream(a, *ParseFrameHeader(Bytes{0xFF, 0xFB, 0x94, 0x00})));
}

}  // namespace
}  // namespace tarvex::vbmp3
