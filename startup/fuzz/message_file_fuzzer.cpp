// A message file of arbitrary bytes, read as the saver reads it: decoded,
// then split into items. Every crawl line is valid UTF-8, and there are no
// more of them than the file could hold.

#include "platform/posix/fuzz/fuzz_file.h"
#include "runtime/runtime_error.h"
#include "runtime/utf8.h"
#include "startup/basKORVAN.h"

using tarvex::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvex::fuzz::WriteScratchFile({reinterpret_cast<const char*>(data), size});
  tarvex::basKORVAN::SharedState state;
  state.Settings.MessageFile = tarvex::fuzz::ScratchFile();
  try {
    tarvex::basKORVAN::ReadMessageFile(state);
  } catch (const tarvex::runtime::RuntimeError& error) {
    Require(error.number() == tarvex::runtime::kOverflow, "only too many lines raise");
    return 0;
  }
  Require(state.MessageLines.size() == static_cast<std::size_t>(state.LineCount) + 1 ||
              (state.LineCount == 0 && state.MessageLines.empty()),
          "one line per item");
  Require(static_cast<std::size_t>(state.LineCount) <= size + 1, "no more items than bytes");
  for (const std::string& line : state.MessageLines)
    Require(tarvex::runtime::IsValidUtf8(line), "valid UTF-8");
  return 0;
}
