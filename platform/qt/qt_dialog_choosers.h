#pragma once
// The modal file-open and colour choosers of the settings dialog on Qt.

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_window_host.h"

class QString;

namespace tarvex::qt {

// A type list entry as a Qt name filter. An empty pattern lets every file
// through; several patterns are separated by ';'.
QString NameFilterOf(const platform::FileTypeFilter& filter);

std::optional<std::string> RunOpenChooser(QWidget* owner,
                                          const std::vector<platform::FileTypeFilter>& filters,
                                          int filter_index, const std::string& file_name);

std::optional<std::int32_t> RunColorChooser(QWidget* owner, std::int32_t initial);

}  // namespace tarvex::qt
