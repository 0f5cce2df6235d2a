#include "runtime/item_reader.h"

#include <utility>

namespace tarvex::runtime {

namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

ItemReader::ItemReader(std::string text) : text_(std::move(text)) {}

bool ItemReader::AtEnd() const noexcept {
  return pos_ >= text_.size() && !pending_empty_item_;
}

std::string ItemReader::Next() {
  pending_empty_item_ = false;
  const std::size_t size = text_.size();

  while (pos_ < size && text_[pos_] == ' ') {
    ++pos_;
  }

  std::string item;
  if (pos_ < size && text_[pos_] == '"') {
    const std::size_t close = text_.find('"', pos_ + 1);
    if (close == std::string::npos) {
      item = text_.substr(pos_ + 1);
      pos_ = size;
      return item;
    }
    item = text_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    // Whatever follows the closing quote on its line, up to a comma, is dropped.
    while (pos_ < size && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) {
      ++pos_;
    }
  } else {
    const std::size_t start = pos_;
    while (pos_ < size && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) {
      ++pos_;
    }
    std::size_t end = pos_;
    while (end > start && text_[end - 1] == ' ') {
      --end;
    }
    item = text_.substr(start, end - start);
  }

  // The delimiter: a comma promises one more item, even at the end of the text.
  if (pos_ < size) {
    if (text_[pos_] == ',') {
      pending_empty_item_ = true;
      ++pos_;
    } else if (text_[pos_] == '\r') {
      ++pos_;
      if (pos_ < size && text_[pos_] == '\n') {
        ++pos_;
      }
    } else {  // '\n'
      ++pos_;
    }
  }
  return item;
}

}  // namespace tarvex::runtime
