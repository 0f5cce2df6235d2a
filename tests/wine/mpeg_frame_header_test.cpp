// MPEG audio frame headers, as the Windows decoder finds frames by them.

#include "vbmp3/mpeg_frame_header.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <tuple>
#include <utility>

namespace tarvex::vbmp3 {
namespace {

using Bytes = std::array<std::uint8_t, 4>;
using enum MpegVersion;

auto Fields(const FrameHeader& h) {
  return std::tuple(h.version, h.layer, h.bitRateKbps, h.sampleRate, h.channels, h.padding,
                    h.frameBytes, h.samplesPerFrame);
}

// Version, layer, kbit/s, Hz, channels, padding, frame bytes, samples; no
// header for a reserved or bad version, layer, bit rate, sample rate or
// emphasis.
const std::pair<Bytes, std::optional<FrameHeader>> kHeaders[] = {
    {{0xFF, 0xFB, 0x90, 0x00}, FrameHeader{kMpeg1, 3, 128, 44100, 2, false, 417, 1152}},
    {{0xFF, 0xFB, 0x92, 0x00}, FrameHeader{kMpeg1, 3, 128, 44100, 2, true, 418, 1152}},
    {{0xFF, 0xF3, 0x80, 0xC0}, FrameHeader{kMpeg2, 3, 64, 22050, 1, false, 208, 576}},
    {{0xFF, 0xE3, 0x18, 0xC0}, FrameHeader{kMpeg25, 3, 8, 8000, 1, false, 72, 576}},
    {{0xFF, 0xFD, 0xA4, 0x00}, FrameHeader{kMpeg1, 2, 192, 48000, 2, false, 576, 1152}},
    {{0xFF, 0xFF, 0xEA, 0x00}, FrameHeader{kMpeg1, 1, 448, 32000, 2, true, 676, 384}},
    {{0xFF, 0x7B, 0x90, 0x00}, {}},
    {{0xFF, 0xEB, 0x90, 0x00}, {}},
    {{0xFF, 0xF9, 0x90, 0x00}, {}},
    {{0xFF, 0xFB, 0x00, 0x00}, {}},
    {{0xFF, 0xFB, 0xF0, 0x00}, {}},
    {{0xFF, 0xFB, 0x9C, 0x00}, {}},
    {{0xFF, 0xFB, 0x90, 0x02}, {}},
};

TEST(FrameHeaderTest, ReadsTheFieldsAndTheFrameSizeOrFindsNoHeader) {
  for (const auto& [bytes, expected] : kHeaders) {
    const auto h = ParseFrameHeader(bytes);
    ASSERT_EQ(h.has_value(), expected.has_value()) << std::hex << int(bytes[1]) << int(bytes[2]);
    if (h) EXPECT_EQ(Fields(*h), Fields(*expected)) << std::hex << int(bytes[1]) << int(bytes[2]);
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
