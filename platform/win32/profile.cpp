// The profile functions: the system's own GetPrivateProfileStringA and
// WritePrivateProfileStringA, with program text converted to and from the
// ANSI code page.

#include <windows.h>

#include <algorithm>

#include "platform/profile.h"
#include "platform/win32/text_arguments.h"
#include "runtime/ansi_text.h"

namespace tarvex::platform {

namespace {

// Buffers start at this size and double while the value fills them, so a
// large `size` costs memory only for a value that long.
constexpr std::int32_t kFirstBufferSize = 4096;

// The length of the longest leading part of `ansi` that ends on a character
// boundary: the system may cut a value after the lead byte of its last
// double-byte character.
std::size_t WholeCharacters(std::string_view ansi) {
  std::size_t end = 0;
  while (end < ansi.size()) {
    const auto byte = static_cast<unsigned char>(ansi[end]);
    const std::size_t width = IsDBCSLeadByteEx(CP_ACP, byte) ? 2 : 1;
    if (end + width > ansi.size()) break;
    end += width;
  }
  return end;
}

std::string ReadAnsiValue(const std::string& section, const std::string& key,
                          const std::string& fallback, std::int32_t size, const std::string& path) {
  std::int32_t capacity = std::min(size, kFirstBufferSize);
  for (;;) {
    std::string buffer(static_cast<std::size_t>(capacity), '\0');
    const DWORD copied =
        ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                   static_cast<DWORD>(capacity), path.c_str());
    const bool filled = static_cast<std::int32_t>(copied) >= capacity - 1;
    if (!filled || capacity == size) {
      buffer.resize(std::min<std::size_t>(copied, buffer.size() - 1));
      buffer.resize(WholeCharacters(buffer));
      return buffer;
    }
    capacity = capacity > size / 2 ? size : capacity * 2;
  }
}

// The fallback as the system would return it for a missing key: cut to the
// buffer, on a character boundary.
std::string CutFallback(std::string_view fallback, std::int32_t size) {
  const std::string ansi = runtime::TextToAnsiLossy(fallback);
  const std::string cut = ansi.substr(0, static_cast<std::size_t>(size) - 1);
  return runtime::AnsiToText(cut.substr(0, WholeCharacters(cut)));
}

bool IsSingleLine(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Names that would read back as something else are refused: a section name
// with ']' ends early, a key with '=' splits, '[' or ';' opens a section or a
// comment.
bool IsValidSectionName(std::string_view name) {
  return !Trim(name).empty() && IsSingleLine(name) && name.find(']') == std::string_view::npos;
}

bool IsValidKeyName(std::string_view name) {
  const std::string_view trimmed = Trim(name);
  return !trimmed.empty() && IsSingleLine(name) && name.find('=') == std::string_view::npos &&
         trimmed.front() != '[' && trimmed.front() != ';';
}

}  // namespace

std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view fallback, std::int32_t size,
                                     const std::string& path) {
  if (size < 1) return {};
  const auto ansiSection = win32::AnsiArgument(section);
  const auto ansiKey = win32::AnsiArgument(key);
  const auto ansiFallback = win32::AnsiArgument(fallback);
  const auto ansiPath = win32::AnsiArgument(path);
  // A name the code page cannot hold cannot be asked for: it is missing.
  if (!ansiSection || !ansiKey || !ansiFallback || !ansiPath) return CutFallback(fallback, size);
  return runtime::AnsiToText(ReadAnsiValue(*ansiSection, *ansiKey, *ansiFallback, size, *ansiPath));
}

bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, const std::string& path) {
  // A line break would split the value into lines of their own and could
  // forge other keys or sections.
  if (!IsValidSectionName(section) || !IsValidKeyName(key) || !IsSingleLine(value)) return false;
  const auto ansiSection = win32::AnsiArgument(section);
  const auto ansiKey = win32::AnsiArgument(key);
  const auto ansiValue = win32::AnsiArgument(value);
  const auto ansiPath = win32::AnsiArgument(path);
  // Text the code page cannot hold is refused, never stored mangled.
  if (!ansiSection || !ansiKey || !ansiValue || !ansiPath) return false;
  return ::WritePrivateProfileStringA(ansiSection->c_str(), ansiKey->c_str(), ansiValue->c_str(),
                                      ansiPath->c_str()) != FALSE;
}

}  // namespace tarvex::platform
