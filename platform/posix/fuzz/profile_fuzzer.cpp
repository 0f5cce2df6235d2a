// The profile functions on a settings file of arbitrary bytes: the saver's
// keys are read, then one value is written, which must read back exactly
// while another key keeps its value; a refused write leaves the file as it was.

#include <array>
#include <system_error>

#include "platform/posix/atomic_file.h"
#include "platform/posix/fuzz/fuzz_file.h"
#include "platform/profile.h"
#include "runtime/utf8.h"

namespace {

using tarvex::fuzz::Require;
using tarvex::fuzz::ScratchFile;

constexpr std::array<const char*, 4> kKeys = {"FILE", "FONTNAME", "TIME", "MP3"};

std::string Read(const char* key) {
  return tarvex::platform::GetPrivateProfileStringA("TARVEX", key, "\x01", 1 << 16, ScratchFile());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::size_t key = input.ConsumeIntegralInRange<std::size_t>(0, kKeys.size() - 1);
  const tarvex::fuzz::FuzzedFile file = tarvex::fuzz::ConsumeFile(input);
  const std::string value = tarvex::runtime::SanitizeUtf8(file.slice);
  const char* other = kKeys[(key + 1) % kKeys.size()];
  const std::string otherBefore = Read(other);
  if (tarvex::platform::WritePrivateProfileStringA("TARVEX", kKeys[key], value, ScratchFile())) {
    Require(Read(kKeys[key]) == value, "the value written reads back");
    Require(Read(other) == otherBefore, "another key keeps its value");
  } else {
    std::error_code error;
    Require(tarvex::platform::posix::ReadFileBytes(ScratchFile(), error) == file.bytes,
            "a refused write leaves the file alone");
  }
  return 0;
}
