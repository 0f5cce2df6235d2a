#pragma once
// Sequential input of comma-delimited items, one crawl line per item.
//
// The rules (text is the program's own UTF-8, decoded from the file first):
// - An item ends at a comma or at the end of its line; the delimiter is consumed.
//   Line ends are CR LF, LF, or a lone CR.
// - ASCII spaces in front of an item are skipped; other blanks (tab, U+3000)
//   are kept.
// - An item starting with a double quote runs to the next double quote, line
//   ends included; the quotes are dropped. Text after the closing quote up to
//   the next comma or line end is dropped. A missing closing quote runs the
//   item to the end of the file.
// - In an unquoted item, trailing ASCII spaces are dropped and a double quote
//   is an ordinary character.
// - An empty line is one empty item; a comma at the very end of a line is
//   followed by one more, empty, item.
// - The end of the file is reached when no text is left after the last
//   delimiter: a final line end does not start another item.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvex::runtime {

class ItemReader {
 public:
  explicit ItemReader(std::string text);

  // True when no item is left; tested before each Next().
  bool AtEnd() const noexcept;

  // The next item. Calling it at the end returns "".
  std::string Next();

 private:
  std::string text_;
  std::size_t pos_ = 0;
  bool pending_empty_item_ = false;
};

}  // namespace tarvex::runtime
