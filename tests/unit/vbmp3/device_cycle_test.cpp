// Open, play and stop, over and over, on the sound device's path: where no
// device is, each play opens and fails the output anew, and nothing of that
// may stay behind. A process of its own, as it measures the resident size.

#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "tests/unit/vbmp3/audio_files.h"
#include "vbmp3/vbmp3.h"

#ifdef __SANITIZE_ADDRESS__
// Freed memory kept in the sanitizer's quarantine would count as growth.
extern "C" const char* __asan_default_options() {  // NOLINT(bugprone-reserved-identifier)
  return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";
}
#endif

namespace tarvex::vbmp3::test {
namespace {

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

bool Cycle(const std::string& file) {
  VBMP3_OPEN_INFO info{};
  const bool played = vbmp3_open(file.c_str(), &info) == 1 && vbmp3_play() == 1;
  vbmp3x_waitUntilDone(2000);  // at once where no device is
  return vbmp3_stop() == 1 && played;
}

TEST(DeviceCycleTest, TwoHundredPlaysKeepTheResidentSizeFlat) {
  const testing::TempDir dir;
  const std::string file = MakeToneMp3(dir, "tone.mp3", {.seconds = 0.2});
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(Cycle(file)) << i;
  const long settled = ResidentBytes();
  for (int i = 10; i < 200; ++i) ASSERT_TRUE(Cycle(file)) << i;
  EXPECT_LT(ResidentBytes() - settled, 2L << 20);
}

}  // namespace
}  // namespace tarvex::vbmp3::test
