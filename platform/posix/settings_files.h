#pragma once
// Where tarvex.ini lies. A portable copy (the build directory, an unpacked
// archive) keeps it beside the program. An installed copy, which the package
// marks with the file kInstalledMarker beside the program, keeps each user's
// in ${XDG_CONFIG_HOME:-~/.config}/tarvex/, beside registry.reg; until the
// user first saves, the packaged tarvex.ini beside the program is read.

#include <string>

#include "platform/desktop.h"

namespace tarvex::platform::posix {

inline constexpr const char* kInstalledMarker = "tarvex.installed";

// Empty for a portable copy. For an installed one the user's folder is made
// (mode 0700) when missing, so that the first save finds it.
SettingsFiles SettingsFilesFor(const std::string& programDirectory);

}  // namespace tarvex::platform::posix
