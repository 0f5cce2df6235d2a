#pragma once
// The profile text format: "[section]" lines open a section, "key=value"
// lines hold values, lines starting with ';' are comments. Names match
// without regard to ASCII letter case and surrounding blanks; the first
// matching section, and in it the first matching key, win.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/posix/encoded_lines.h"

namespace tarvex::platform::posix {

class IniDocument {
 public:
  explicit IniDocument(EncodedLines lines) : lines_(std::move(lines)) {}

  // The key's value with surrounding blanks and one pair of enclosing single
  // or double quotes dropped; nothing when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // Stores the value so that Find() gives it back exactly: in place of the
  // key's old value, else after the last key of the section (or its last
  // line that is not blank), else in a new section at the end. False when the file's encoding
  // cannot hold it, or the file would then read in another encoding; the document may then
  // be half changed and must not be saved.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  std::string Bytes() const { return lines_.Bytes(); }

 private:
  struct SectionLines {
    std::size_t header;  // the "[section]" line
    std::size_t end;     // the next section's header, or the end of the file
  };

  bool Store(std::string_view section, std::string_view key, std::string_view value);
  std::optional<SectionLines> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(SectionLines lines, std::string_view key) const;
  std::size_t AppendPosition(SectionLines lines) const;

  EncodedLines lines_;
};

// True when a section or key name can be written and found again: not empty
// after trimming blanks, no line break or NUL, no ']' in a section name, no
// '=' in a key name, and a key that does not start like a section or comment.
bool IsValidSectionName(std::string_view name);
bool IsValidKeyName(std::string_view name);

}  // namespace tarvex::platform::posix
