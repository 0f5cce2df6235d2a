// The registry stand-in on a file of arbitrary bytes: the saver's values are
// read, then one value is set, saved and loaded again; it must read back as
// it was set, and another value must stay as it was.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/posix/registry_file.h"
#include "runtime/utf8.h"

namespace {

using tarvex::platform::posix::kDesktopKey;
using tarvex::platform::posix::RegistryFile;
using tarvex::platform::posix::RegistryValue;

constexpr std::array<const char*, 2> kNames = {"ScreenSaveUsePassword", "ScreenSave_Data"};

const std::string& ScratchFile() {
  static const std::string path =
      std::filesystem::temp_directory_path() / ("tarvex-registry-fuzz-" + std::to_string(getpid()));
  return path;
}

bool Same(const std::optional<RegistryValue>& a, const std::optional<RegistryValue>& b) {
  if (!a || !b) return a.has_value() == b.has_value();
  return a->type == b->type && a->is_text == b->is_text && a->text == b->text &&
         a->bytes == b->bytes;
}

RegistryValue MakeValue(int kind, std::uint32_t number, const std::string& bytes) {
  switch (kind) {
    case 0:
      return RegistryValue::String(tarvex::runtime::SanitizeUtf8(bytes));
    case 1:
      return RegistryValue::Dword(number);
    default:
      return RegistryValue::Binary(bytes, number % 12);  // the registry's own types
  }
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool second = input.ConsumeBool();
  const char* name = kNames[second ? 1 : 0];
  const char* other = kNames[second ? 0 : 1];
  const int kind = input.ConsumeIntegralInRange(0, 2);
  const auto number = input.ConsumeIntegral<std::uint32_t>();
  const std::size_t at = input.ConsumeIntegral<std::uint16_t>();
  const std::size_t length = input.ConsumeIntegral<std::uint8_t>();
  const std::string file = input.ConsumeRemainingBytesAsString();
  const RegistryValue value =
      MakeValue(kind, number, file.substr(std::min(at, file.size()), length));
  std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << file;
  RegistryFile registry;
  registry.Load(ScratchFile());
  const std::optional<RegistryValue> otherBefore = registry.Get(kDesktopKey, other);
  if (!registry.Set(kDesktopKey, name, value)) return 0;
  Require(registry.Save(ScratchFile()), "a value set is saved");
  RegistryFile again;
  Require(again.Load(ScratchFile()) == RegistryFile::LoadResult::kLoaded, "the file saved loads");
  Require(Same(again.Get(kDesktopKey, name), value), "the value set reads back");
  Require(Same(again.Get(kDesktopKey, other), otherBefore), "another value stays");
  return 0;
}
