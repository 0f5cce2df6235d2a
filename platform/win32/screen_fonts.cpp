#include "platform/win32/screen_fonts.h"

#include "platform/win32/windows_api.h"

#include <cstring>
#include <unordered_set>

#include "platform/win32/text_arguments.h"
#include "runtime/ansi_text.h"

namespace tarvex::platform::win32 {

namespace {

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA* /*metrics*/, DWORD /*type*/,
                         LPARAM names) {
  AsPointer<std::vector<std::string>>(names)->push_back(runtime::AnsiToText(font->lfFaceName));
  return 1;
}

int CALLBACK StopAtFirst(const LOGFONTA* /*font*/, const TEXTMETRICA* /*metrics*/, DWORD /*type*/,
                         LPARAM found) {
  *AsPointer<bool>(found) = true;
  return 0;
}

// Enumerates the families matching `face` ("" for all) with `callback`.
void EnumerateFamilies(const char* face, FONTENUMPROCA callback, LPARAM data) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return;
  EnumFontFamiliesExA(screen, &wanted, callback, data, 0);
  ReleaseDC(nullptr, screen);
}

}  // namespace

std::vector<std::string> WithoutRepeats(std::vector<std::string> names) {
  std::unordered_set<std::string> seen;
  std::vector<std::string> unique;
  unique.reserve(names.size());
  for (auto& name : names) {
    if (seen.insert(name).second) unique.push_back(std::move(name));
  }
  return unique;
}

std::vector<std::string> ScreenFontNames() {
  std::vector<std::string> names;
  EnumerateFamilies("", CollectFace, reinterpret_cast<LPARAM>(&names));
  return WithoutRepeats(std::move(names));
}

bool ScreenHasFontFace(std::string_view face) {
  const auto ansiFace = AnsiArgument(face);
  if (!ansiFace || ansiFace->empty() || ansiFace->size() >= LF_FACESIZE) return false;
  bool found = false;
  EnumerateFamilies(ansiFace->c_str(), StopAtFirst, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace tarvex::platform::win32
