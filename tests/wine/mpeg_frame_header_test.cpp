// MPEG audio frame headers, as the Windows decoder finds frames by them.

#include "vbmp3/mpeg_frame_header.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/support/case_name.h"

namespace tarvex::vbmp3 {
namespace {

struct HeaderCase {
  const char* name;
  std::array<std::uint8_t, 4> bytes;
  MpegVersion version;
  int layer;
  int bitRateKbps;
  int sampleRate;
  int channels;
  int frameBytes;
  int samplesPerFrame;
};

TARVEX_PRINT_CASE_AS_NAME(HeaderCase)

class FrameHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FrameHeaderTest, ReadsTheFieldsAndTheFrameSize) {
  const HeaderCase& c = GetParam();
  const auto h = ParseFrameHeader(c.bytes);
  ASSERT_TRUE(h.has_value());
  EXPECT_EQ(h->version, c.version);
  EXPECT_EQ(h->layer, c.layer);
  EXPECT_EQ(h->bitRateKbps, c.bitRateKbps);
  EXPECT_EQ(h->sampleRate, c.sampleRate);
  EXPECT_EQ(h->channels, c.channels);
  EXPECT_EQ(h->frameBytes, c.frameBytes);
  EXPECT_EQ(h->samplesPerFrame, c.samplesPerFrame);
}

using enum MpegVersion;
const HeaderCase kHeaders[] = {
    {"Mpeg1Layer3At128Stereo", {0xFF, 0xFB, 0x90, 0x00}, kMpeg1, 3, 128, 44100, 2, 417, 1152},
    {"Mpeg1Layer3Padded", {0xFF, 0xFB, 0x92, 0x00}, kMpeg1, 3, 128, 44100, 2, 418, 1152},
    {"Mpeg1Layer3At320Mono48k", {0xFF, 0xFB, 0xE4, 0xC0}, kMpeg1, 3, 320, 48000, 1, 960, 1152},
    {"Mpeg2Layer3At64", {0xFF, 0xF3, 0x80, 0xC0}, kMpeg2, 3, 64, 22050, 1, 208, 576},
    {"Mpeg25Layer3At8", {0xFF, 0xE3, 0x18, 0xC0}, kMpeg25, 3, 8, 8000, 1, 72, 576},
    {"Mpeg1Layer2At192", {0xFF, 0xFD, 0xA4, 0x00}, kMpeg1, 2, 192, 48000, 2, 576, 1152},
    {"Mpeg1Layer1At448Padded", {0xFF, 0xFF, 0xEA, 0x00}, kMpeg1, 1, 448, 32000, 2, 676, 384},
};
INSTANTIATE_TEST_SUITE_P(Headers, FrameHeaderTest, ::testing::ValuesIn(kHeaders),
                         tarvex::testing::CaseName());

// Reserved or bad version, layer, bit rate, sample rate and emphasis; too few bytes.
TEST(FrameHeaderTest, ReservedFieldsAreNoHeader) {
  using Bytes = std::array<std::uint8_t, 4>;
  for (const Bytes& bytes :
       {Bytes{0xFF, 0x7B, 0x90, 0x00}, Bytes{0xFF, 0xEB, 0x90, 0x00}, Bytes{0xFF, 0xF9, 0x90, 0x00},
        Bytes{0xFF, 0xFB, 0x00, 0x00}, Bytes{0xFF, 0xFB, 0xF0, 0x00}, Bytes{0xFF, 0xFB, 0x9C, 0x00},
        Bytes{0xFF, 0xFB, 0x90, 0x02}}) {
    EXPECT_FALSE(ParseFrameHeader(bytes).has_value()) << std::hex << int(bytes[1]) << int(bytes[2]);
  }
  EXPECT_FALSE(ParseFrameHeader(std::array<std::uint8_t, 3>{0xFF, 0xFB, 0x90}).has_value());
}

TEST(FrameHeaderTest, OnlyTheSameStreamContinues) {
  const auto a = *ParseFrameHeader(std::array<std::uint8_t, 4>{0xFF, 0xFB, 0x90, 0x00});
  const auto vbr = *ParseFrameHeader(std::array<std::uint8_t, 4>{0xFF, 0xFB, 0xE2, 0x00});
  const auto mono = *ParseFrameHeader(std::array<std::uint8_t, 4>{0xFF, 0xFB, 0x90, 0xC0});
  const auto rate = *ParseFrameHeader(std::array<std::uint8_t, 4>{0xFF, 0xFB, 0x94, 0x00});
  EXPECT_TRUE(SameStream(a, vbr));
  EXPECT_FALSE(SameStream(a, mono));
  EXPECT_FALSE(SameStream(a, rate));
}

TEST(Id3v2TagSizeTest, MeasuresTheTagWithItsFooter) {
  using Bytes = std::array<std::uint8_t, 10>;
  EXPECT_EQ(Id3v2TagSize(Bytes{'I', 'D', '3', 4, 0, 0x00, 0, 0, 0x01, 0x7F}), 10 + 255);
  EXPECT_EQ(Id3v2TagSize(Bytes{'I', 'D', '3', 4, 0, 0x10, 0, 0, 0, 5}), 10 + 5 + 10);
  EXPECT_EQ(Id3v2TagSize(Bytes{'I', 'D', '3', 3, 0, 0x00, 0x7F, 0x7F, 0x7F, 0x7F}),
            10 + 0x0FFFFFFF);
  EXPECT_EQ(Id3v2TagSize(Bytes{'I', 'D', '3', 4, 0, 0x00, 0, 0, 0x80, 0}), 0);  // not synchsafe
  EXPECT_EQ(Id3v2TagSize(Bytes{'T', 'A', 'G', 4, 0, 0x00, 0, 0, 0, 5}), 0);
}

}  // namespace
}  // namespace tarvex::vbmp3
