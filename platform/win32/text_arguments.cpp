#include "platform/win32/text_arguments.h"

#include "runtime/ansi_text.h"

namespace tarvex::platform::win32 {

std::optional<std::string> AnsiArgument(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  return runtime::TextToAnsi(text);
}

}  // namespace tarvex::platform::win32
