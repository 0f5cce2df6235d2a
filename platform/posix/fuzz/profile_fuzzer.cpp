// The profile functions on a settings file of arbitrary bytes: the saver's
// keys are read, then one value is written, which must read back exactly
// while another key keeps its value; a refused write leaves the file as it was.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/posix/atomic_file.h"
#include "platform/profile.h"
#include "runtime/utf8.h"

namespace {

constexpr std::array<const char*, 4> kKeys = {"FILE", "FONTNAME", "TIME", "MP3"};

const std::string& ScratchFile() {
  static const std::string path =
      std::filesystem::temp_directory_path() / ("tarvex-profile-fuzz-" + std::to_string(getpid()));
  return path;
}

std::string Read(const char* key) {
  return tarvex::platform::GetPrivateProfileStringA("TARVEX", key, "\x01", 1 << 16, ScratchFile());
}

std::string FileBytes() {
  std::error_code error;
  return tarvex::platform::posix::ReadFileBytes(ScratchFile(), error).value_or("");
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::size_t key = input.ConsumeIntegralInRange<std::size_t>(0, kKeys.size() - 1);
  const std::size_t at = input.ConsumeIntegral<std::uint16_t>();
  const std::size_t length = input.ConsumeIntegral<std::uint8_t>();
  const std::string file = input.ConsumeRemainingBytesAsString();
  const std::string value =
      tarvex::runtime::SanitizeUtf8(file.substr(std::min(at, file.size()), length));
  std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << file;
  const char* other = kKeys[(key + 1) % kKeys.size()];
  const std::string otherBefore = Read(other);
  if (tarvex::platform::WritePrivateProfileStringA("TARVEX", kKeys[key], value, ScratchFile())) {
    Require(Read(kKeys[key]) == value, "the value written reads back");
    Require(Read(other) == otherBefore, "another key keeps its value");
  } else {
    Require(FileBytes() == file, "a refused write leaves the file alone");
  }
  return 0;
}
