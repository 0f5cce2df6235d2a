#pragma once
// What the fuzzers of files share: a scratch file of the process's own, a
// check that aborts with its reason, and the input taken apart as a file and
// a slice of it to write into the file as a value.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tarvex::fuzz {

inline const std::string& ScratchFile() {
  static const std::string path =
      std::filesystem::temp_directory_path() / ("tarvex-fuzz-" + std::to_string(getpid()));
  return path;
}

inline void WriteScratchFile(std::string_view bytes) {
  std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

struct FuzzedFile {
  std::string bytes;  // also in the scratch file
  std::string slice;  // up to 255 of them, from anywhere
};

// Takes the rest of `input`, after where the slice starts and its length.
inline FuzzedFile ConsumeFile(FuzzedDataProvider& input) {
  const std::size_t at = input.ConsumeIntegral<std::uint16_t>();
  const std::size_t length = input.ConsumeIntegral<std::uint8_t>();
  FuzzedFile file{input.ConsumeRemainingBytesAsString(), {}};
  file.slice = file.bytes.substr(std::min(at, file.bytes.size()), length);
  WriteScratchFile(file.bytes);
  return file;
}

}  // namespace tarvex::fuzz
