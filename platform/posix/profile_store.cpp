// The profile functions over INI files. A file is read in its own encoding
// (byte-order mark, else UTF-8 when it is valid UTF-8, else the ANSI code
// page) and written back in it; a new file is UTF-8 without byte-order mark
// with CR LF line ends, as the Windows functions write it, so the file reads
// the same on both systems.

#include <system_error>

#include "platform/posix/atomic_file.h"
#include "platform/posix/ini_document.h"
#include "platform/posix/line_text.h"
#include "platform/profile.h"
#include "runtime/ansi_text.h"
#include "runtime/utf8.h"

namespace tarvex::platform {

namespace {

// Bytes one character takes in the ANSI code page; a character the code page
// lacks counts as its UTF-8 bytes.
std::size_t AnsiWidth(std::string_view character) {
  if (character.size() == 1) {
    return 1;
  }
  const std::optional<std::string> ansi = runtime::TextToAnsi(character);
  return ansi ? ansi->size() : character.size();
}

// The longest leading part of `text` that takes at most `limit` bytes in the
// ANSI code page, so a double-byte character is never cut in half.
std::string CutToAnsiBytes(std::string_view text, std::size_t limit) {
  std::size_t used = 0;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t length = runtime::DecodeUtf8Char(text, end).length;
    const std::size_t width = AnsiWidth(text.substr(end, length));
    if (used + width > limit) {
      break;
    }
    used += width;
    end += length;
  }
  return std::string(text.substr(0, end));
}

}  // namespace

std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view fallback, std::int32_t size,
                                     const std::string& path) {
  if (size < 1) {
    return {};
  }
  std::error_code error;
  const std::optional<std::string> bytes = posix::ReadFileBytes(path, error);
  std::optional<std::string> value;
  if (bytes) {
    value = posix::IniDocument(posix::EncodedLines::Parse(*bytes)).Find(section, key);
  }
  return CutToAnsiBytes(value ? std::string_view(*value) : fallback,
                        static_cast<std::size_t>(size) - 1);
}

bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, const std::string& path) {
  // A line break in a value would split it into lines of their own and
  // could forge other keys or sections: such values are refused.
  if (!posix::IsValidSectionName(section) || !posix::IsValidKeyName(key) ||
      posix::HasLineBreakOrNul(value)) {
    return false;
  }
  std::error_code error;
  const std::optional<std::string> bytes = posix::ReadFileBytes(path, error);
  if (!bytes && error != std::errc::no_such_file_or_directory) {
    return false;
  }
  posix::IniDocument document(bytes ? posix::EncodedLines::Parse(*bytes) : posix::EncodedLines());
  return document.Set(section, key, value) && posix::ReplaceFileAtomically(path, document.Bytes());
}

}  // namespace tarvex::platform
