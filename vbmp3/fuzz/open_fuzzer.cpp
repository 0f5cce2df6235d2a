// Feeds arbitrary bytes, as an in-memory file, to the decoder's open (the
// first-frame checks the library's open relies on), then decodes a little of
// whatever opened.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "vbmp3/mpg123_decoder.h"
#include "vbmp3/vbmp3.h"

namespace {

// Enough to run through frames past the probe without making a run slow.
constexpr int kFramesAfterOpen = 64;

int MemoryFile(const std::uint8_t* data, std::size_t size) {
  const int fd = memfd_create("vbmp3-fuzz", MFD_CLOEXEC);
  if (fd < 0) return -1;
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = write(fd, data + done, size - done);
    if (n <= 0) {
      close(fd);
      return -1;
    }
    done += static_cast<std::size_t>(n);
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = MemoryFile(data, size);
  if (fd < 0) return 0;
  tarvex::vbmp3::Mpg123Decoder decoder;
  if (decoder.OpenDescriptor(fd) != VBMP3_ERR_NONE) return 0;
  for (int i = 0; i < kFramesAfterOpen; ++i) {
    if (decoder.Read().status != tarvex::vbmp3::ReadStatus::kData) break;
  }
  decoder.Rewind();
  return 0;
}
