#pragma once
// A text file as a list of lines that keep their original bytes, so that an
// edit of one line writes every other byte back exactly as it was read,
// whatever the file's encoding (ANSI code page, UTF-8, UTF-16, with or
// without byte-order mark) and line-end style.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ansi_text.h"

namespace tarvex::platform::posix {

struct EncodedLine {
  std::string raw;   // the line's bytes in the file's encoding, line end excluded
  std::string eol;   // its line end as read; "" for a last line without one
  std::string text;  // the line as program text
};

class EncodedLines {
 public:
  // An empty new file: UTF-8 without byte-order mark, lines ending in `eol`.
  explicit EncodedLines(std::string_view eol = "\r\n");

  // Splits a file's bytes at CR LF, LF and lone CR. New lines end like the
  // first line, or in `fallback_eol` when no line has an end. A file of ASCII
  // bytes only takes new text as UTF-8, so that it never refuses a character.
  static EncodedLines Parse(std::string_view bytes, std::string_view fallback_eol = "\r\n");

  const std::vector<EncodedLine>& lines() const noexcept { return lines_; }
  std::size_t size() const noexcept { return lines_.size(); }
  runtime::TextEncoding encoding() const noexcept { return encoding_; }

  // Inserts a line before line `index` (size() appends). False, and nothing
  // changed, when the file's encoding cannot hold the text.
  bool Insert(std::size_t index, std::string_view text);

  // Replaces the text of line `index`, keeping its line end.
  bool Replace(std::size_t index, std::string_view text);

  // Keeps the bytes of line `index` up to its first `separator` (an ASCII
  // character) and the blanks after it, and replaces the rest with `tail`.
  bool ReplaceAfter(std::size_t index, char separator, std::string_view tail);

  // Removes lines `first` to `last - 1`.
  void Erase(std::size_t first, std::size_t last);

  // False when the file, as edited, would be read in another encoding than
  // it is written in (ANSI bytes that happen to form UTF-8): such an edit
  // must not be saved.
  bool ReadsBack() const;

  // The whole file: byte-order mark, lines and their line ends.
  std::string Bytes() const;

 private:
  void EndLine(EncodedLine& line) const;
  std::optional<std::string> Encode(std::string_view text) const;
  std::string Decode(std::string_view raw) const;
  std::size_t UnitWidth() const noexcept;
  char16_t UnitAt(std::string_view raw, std::size_t unit) const noexcept;

  runtime::TextEncoding encoding_ = runtime::TextEncoding::kUtf8;
  std::string bom_;
  std::string default_eol_;
  std::vector<EncodedLine> lines_;
};

}  // namespace tarvex::platform::posix
