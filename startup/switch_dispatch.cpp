#include "startup/switch_dispatch.h"

#include <array>
#include <utility>

#include "runtime/numeric.h"

namespace tarvex::basKORVAN {
namespace {

// Byte length of the first `count` UTF-8 characters of `text`.
std::size_t PrefixLength(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
  }
  return pos;
}

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Mode DispatchSwitch(std::string_view commandLine) {
  static constexpr std::array<std::pair<std::string_view, Mode>, 9> kTable{{
      {"/C", Mode::kSettings},
      {"/c", Mode::kSettings},
      {"", Mode::kSettings},
      {"/P", Mode::kPreview},
      {"/p", Mode::kPreview},
      {"/S", Mode::kSaver},
      {"/s", Mode::kSaver},
      {"/a", Mode::kPasswordChange},
      {"/A", Mode::kPasswordChange},
  }};
  const std::string_view key = commandLine.substr(0, PrefixLength(commandLine, 2));
  for (const auto& [text, mode] : kTable) {
    if (key == text) return mode;
  }
  return Mode::kSaver;
}

std::int32_t PasswordParentHandle(std::string_view commandLine) {
  const std::string_view rest = commandLine.substr(PrefixLength(commandLine, 2));
  return runtime::ToInt16(runtime::NumericValue(TrimSpaces(rest)));
}

}  // namespace tarvex::basKORVAN
