// VBMP3.dll on a Windows without sound devices: a play that cannot open the
// device reports it through the state, and the caller goes on.

#include <gtest/gtest.h>

#include <string>

#include "vbmp3/vbmp3.h"

namespace {

TEST(WaveOutTest, AMissingDeviceEndsPlaybackWithAnOutputError) {
  VBMP3_OPEN_INFO info{};
  ASSERT_EQ(vbmp3_open((std::string(TARVEX_TEST_AUDIO_DIR) + "mono-440.mp3").c_str(), &info), 1);
  ASSERT_EQ(vbmp3_play(), 1);  // returns while the player starts
  ASSERT_EQ(vbmp3x_waitUntilDone(5000), 1);
  std::int32_t state = -1;
  vbmp3_getState(&state);
  EXPECT_EQ(state, VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_OUTPUT);
  EXPECT_EQ(vbmp3_stop(), 1);
}

}  // namespace
