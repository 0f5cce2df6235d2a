#include "platform/win32/dialog_choosers.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/win32/gdi_colors.h"
#include "platform/win32/text_arguments.h"
#include "runtime/ansi_text.h"

namespace tarvex::platform::win32 {

namespace {

// Room for the longest path the ANSI chooser can return.
constexpr std::size_t kPathBufferBytes = 32768;
constexpr COLORREF kRgbBits = 0x00FFFFFF;

// A NUL inside a label or pattern would end the list early.
std::string FilterItem(const std::string& text) {
  std::string ansi = runtime::TextToAnsiLossy(text);
  ansi.erase(std::remove(ansi.begin(), ansi.end(), '\0'), ansi.end());
  return ansi;
}

// The starting name in a buffer the chooser writes its answer into; empty
// when the name does not fit or the code page cannot hold it.
std::string PathBuffer(const std::string& fileName) {
  std::string buffer(kPathBufferBytes, '\0');
  const auto ansi = AnsiArgument(fileName);
  if (ansi && ansi->size() < kPathBufferBytes)
    std::copy(ansi->begin(), ansi->end(), buffer.begin());
  return buffer;
}

}  // namespace

std::string OpenChooserFilter(const std::vector<FileTypeFilter>& filters) {
  std::string list;
  for (const auto& filter : filters) {
    list += FilterItem(filter.label);
    list += '\0';
    const std::string pattern = FilterItem(filter.pattern);
    list += pattern.empty() ? std::string("*.*") : pattern;
    list += '\0';
  }
  list += '\0';
  return list;
}

std::optional<std::string> RunOpenChooser(HWND owner, const std::vector<FileTypeFilter>& filters,
                                          int filterIndex, const std::string& fileName) {
  const std::string filter = OpenChooserFilter(filters);
  std::string path = PathBuffer(fileName);
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = filters.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = static_cast<DWORD>(std::max(filterIndex, 0));
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  // The working directory stays where it was: every path the program keeps
  // is a full one.
  request.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameA(&request) == FALSE) return std::nullopt;
  return runtime::AnsiToText(path.c_str());
}

std::optional<std::int32_t> RunColorChooser(HWND owner, std::int32_t initial,
                                            CustomColors& custom) {
  CHOOSECOLORA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.rgbResult = ColorRefFromOle(static_cast<OleColor>(initial));
  request.lpCustColors = custom.data();
  request.Flags = CC_RGBINIT;
  if (ChooseColorA(&request) == FALSE) return std::nullopt;
  return static_cast<std::int32_t>(request.rgbResult & kRgbBits);
}

}  // namespace tarvex::platform::win32
