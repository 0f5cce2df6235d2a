#pragma once
// The settings dialog's modal choosers: GetOpenFileNameA and ChooseColorA.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_window_host.h"
#include "platform/win32/windows_api.h"

namespace tarvex::platform::win32 {

// The type list as GetOpenFileNameA takes it, in the ANSI code page: label,
// NUL, patterns, NUL for each entry, and one more NUL at the end. An empty
// pattern becomes "*.*", every file.
std::string OpenChooserFilter(const std::vector<FileTypeFilter>& filters);

// The file-open chooser owned by `owner`; the chosen file's full path, or
// nothing when cancelled.
std::optional<std::string> RunOpenChooser(HWND owner, const std::vector<FileTypeFilter>& filters,
                                          int filterIndex, const std::string& fileName);

// The colours the colour chooser keeps in its custom row between uses.
using CustomColors = std::array<COLORREF, 16>;

// The colour chooser owned by `owner`, starting at the OLE colour `initial`;
// red + 256 * green + 65536 * blue, or nothing when cancelled.
std::optional<std::int32_t> RunColorChooser(HWND owner, std::int32_t initial, CustomColors& custom);

}  // namespace tarvex::platform::win32
