// The saver's part of Main's loading: the message file, one crawl line per item.

#include "platform/file_input.h"
#include "runtime/ansi_text.h"
#include "runtime/item_reader.h"
#include "runtime/runtime_error.h"
#include "startup/basKORVAN.h"

namespace tarvex::basKORVAN {

void ReadMessageFile(SharedState& state) {
  if (state.Settings.MessageFile.empty()) {
    state.Settings.MessageFile = state.AppDir + "readme.txt";
  }
  runtime::ItemReader reader(
      runtime::DecodeTextFile(platform::ReadFileForInput(state.Settings.MessageFile)));
  while (!reader.AtEnd()) {
    std::string item = reader.Next();
    if (state.LineCount == INT16_MAX) throw runtime::RuntimeError(runtime::kOverflow);
    ++state.LineCount;
    state.MessageLines.resize(static_cast<std::size_t>(state.LineCount) + 1);
    state.MessageLines[state.LineCount] = std::move(item);
  }
}

}  // namespace tarvex::basKORVAN
