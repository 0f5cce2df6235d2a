// Feeds arbitrary bytes, as a file, to the decoder's open (the library's own
// open), then decodes a little of whatever opened.

#include "platform/posix/fuzz/fuzz_file.h"
#include "vbmp3/mpg123_decoder.h"
#include "vbmp3/vbmp3.h"

// Enough to run through frames past the probe without making a run slow.
constexpr int kFramesAfterOpen = 64;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvex::fuzz::WriteScratchFile({reinterpret_cast<const char*>(data), size});
  tarvex::vbmp3::Mpg123Decoder decoder;
  if (decoder.Open(tarvex::fuzz::ScratchFile()) != VBMP3_ERR_NONE) return 0;
  for (int i = 0; i < kFramesAfterOpen; ++i)
    if (decoder.Read().status != tarvex::vbmp3::ReadStatus::kData) break;
  decoder.Rewind();
  return 0;
}
