// The registry stand-in on a file of arbitrary bytes: the saver's values are
// read, then one value is set, saved and loaded again; it must read back as
// it was set, and another value must stay as it was.

#include <optional>

#include "platform/posix/fuzz/fuzz_file.h"
#include "platform/posix/registry_file.h"
#include "runtime/utf8.h"

namespace {

using tarvex::fuzz::Require;
using tarvex::fuzz::ScratchFile;
using tarvex::platform::posix::kDesktopKey;
using tarvex::platform::posix::RegistryFile;
using tarvex::platform::posix::RegistryValue;

bool Same(const std::optional<RegistryValue>& a, const std::optional<RegistryValue>& b) {
  if (!a || !b) return a.has_value() == b.has_value();
  return a->type == b->type && a->is_text == b->is_text && a->text == b->text &&
         a->bytes == b->bytes;
}

RegistryValue MakeValue(int kind, std::uint32_t number, const std::string& bytes) {
  if (kind == 0) return RegistryValue::String(tarvex::runtime::SanitizeUtf8(bytes));
  if (kind == 1) return RegistryValue::Dword(number);
  return RegistryValue::Binary(bytes, number % 12);  // the registry's own types
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool second = input.ConsumeBool();
  const char* name = second ? "ScreenSave_Data" : "ScreenSaveUsePassword";
  const char* other = second ? "ScreenSaveUsePassword" : "ScreenSave_Data";
  const int kind = input.ConsumeIntegralInRange(0, 2);
  const auto number = input.ConsumeIntegral<std::uint32_t>();
  const RegistryValue value = MakeValue(kind, number, tarvex::fuzz::ConsumeFile(input).slice);
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
