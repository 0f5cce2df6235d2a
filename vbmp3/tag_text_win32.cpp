// Tag texts for the open record on Windows: the system's ANSI code page.

#include <windows.h>

#include <algorithm>
#include <optional>

#include "vbmp3/tag_text.h"

namespace tarvex::vbmp3 {
namespace {

std::optional<std::wstring> ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return std::wstring();
  const auto length = static_cast<int>(text.size());
  const int needed =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace

std::string Utf8TagToAnsi(std::string_view utf8) {
  const auto wide = ToWide(CP_UTF8, utf8);
  if (!wide || wide->empty()) return {};
  const auto length = static_cast<int>(wide->size());
  BOOL usedDefault = FALSE;
  const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length,
                                         nullptr, 0, nullptr, &usedDefault);
  if (needed <= 0 || usedDefault) return {};
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), length, ansi.data(), needed,
                      nullptr, &usedDefault);
  return usedDefault ? std::string() : ansi;
}

std::string Id3v1TagToAnsi(std::string_view raw) {
  const std::size_t end = raw.find_last_not_of(std::string_view("\0 ", 2));
  const std::string_view text = raw.substr(0, end == std::string_view::npos ? 0 : end + 1);
  if (text.find('\0') != std::string_view::npos) return {};
  return ToWide(CP_ACP, text) ? std::string(text) : std::string();
}

void CopyToField(std::string_view ansi, std::span<char> field) {
  std::fill(field.begin(), field.end(), '\0');
  if (field.empty()) return;
  std::size_t length = 0;
  while (length < ansi.size()) {
    const auto byte = static_cast<BYTE>(ansi[length]);
    const std::size_t width = IsDBCSLeadByteEx(CP_ACP, byte) ? 2 : 1;
    if (length + width > field.size() - 1) break;
    length += width;
  }
  std::copy_n(ansi.begin(), std::min(length, ansi.size()), field.begin());
}

}  // namespace tarvex::vbmp3
